#include "welcomewindow.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

WelcomeWindow::WelcomeWindow(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Acc"));
    setWindowTitle(QStringLiteral("Bienvenu"));

    auto* label1 = new QLabel(QStringLiteral("Bienvenu dans Quendal 3 ! Que voulez-vous faire ?"), this);
    label1->setObjectName(QStringLiteral("Label1"));
    label1->setWordWrap(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label1);
    const struct {
        const char* name;
        QString caption;
        void (WelcomeWindow::*signal)();
    } buttons[] = {
        {"Command1", QStringLiteral("Créer un projet "), &WelcomeWindow::createRequested},
        {"Command2", QStringLiteral("Ouvrir un projet"), &WelcomeWindow::openRequested},
        {"Command3", QStringLiteral("Consulter la documentation"),
         &WelcomeWindow::documentationRequested},
    };
    for (const auto& b : buttons) {
        auto* button = new QPushButton(b.caption, this);
        button->setObjectName(QLatin1String(b.name));
        layout->addWidget(button);
        connect(button, &QPushButton::clicked, this, b.signal);
    }
    setMinimumWidth(360);
}
