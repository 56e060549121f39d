#include "shell/controlpanel.h"

#include "build/testrun.h"
#include "plays/livetestrun.h"
#include "project/projectsession.h"
#include "shell/appinfo.h"
#include "shell/services.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLabel* namedLabel(const char* name, const QString& text, QWidget* parent) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    return l;
}

} // namespace

ControlPanel::ControlPanel(AppServices& services, ProjectSession& session, LiveTestRun& testRun,
                           QWidget* parent)
    : QWidget(parent), mServices(services), mSession(session), mTestRun(testRun) {
    setObjectName(QStringLiteral("Controlpanel"));
    setWindowTitle(QStringLiteral("Panneau de Control"));

    auto* frame1 = new QGroupBox(QStringLiteral("Votre jeu :"), this);
    frame1->setObjectName(QStringLiteral("Frame1"));
    auto* grid = new QGridLayout(frame1);
    const char* captionNames[] = {"Label1", "Label2", "Label3", "Label4"};
    const QString captions[] = {QStringLiteral("Nom du jeu :"), QStringLiteral("Auteur :"),
                                QStringLiteral("Nombre de cartes :"),
                                QStringLiteral("Nombre de combats :")};
    mName = namedLabel("Label5", QStringLiteral("jeu sans nom"), frame1);
    mAuthor = namedLabel("Label6", QStringLiteral("Anonyme"), frame1);
    mMaps = namedLabel("Label7", QStringLiteral("beaucoup"), frame1);
    mCombats = namedLabel("Label8", QStringLiteral("un peu moins"), frame1);
    QLabel* values[] = {mName, mAuthor, mMaps, mCombats};
    for (int i = 0; i < 4; ++i) {
        grid->addWidget(namedLabel(captionNames[i], captions[i], frame1), i, 0);
        grid->addWidget(values[i], i, 1);
        values[i]->setTextInteractionFlags(Qt::TextSelectableByMouse);
    }
    grid->setColumnStretch(1, 1);

    struct Button {
        const char* name;
        QString caption;
        QString hint;
    };
    const Button buttons[] = {
        {"Command2", QStringLiteral("Editeur de combats"),
         QStringLiteral("Créez et éditez les combats de votre jeu")},
        {"Command6", QStringLiteral("Editeur de variables"),
         QStringLiteral("Gérer les variables de votre jeu contenant les informations principales")},
        {"Command3", QStringLiteral("Options générales"),
         QStringLiteral("Configurer les options générales de votre jeu")},
        {"Command4", QStringLiteral("Tester votre jeu"), QStringLiteral("Tester votre jeu")},
        {"Command5", QStringLiteral("Finaliser le jeu"),
         QStringLiteral("Finir votre jeu pour pouvoir y jouer sur Playstation Portable")},
    };
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame1);
    QPushButton* made[5];
    for (int i = 0; i < 5; ++i) {
        made[i] = new QPushButton(buttons[i].caption, this);
        made[i]->setObjectName(QLatin1String(buttons[i].name));
        made[i]->setToolTip(buttons[i].hint);
        layout->addWidget(made[i]);
    }

    auto* frame2 = new QGroupBox(QStringLiteral("Explorateur de cartes"), this);
    frame2->setObjectName(QStringLiteral("Frame2"));
    mList = new QListWidget(frame2);
    mList->setObjectName(QStringLiteral("List1"));
    mList->setAccessibleName(QStringLiteral("Cartes du jeu"));
    auto* frameLayout = new QVBoxLayout(frame2);
    frameLayout->addWidget(mList);
    layout->addWidget(frame2, 1);
    resize(230, 440);

    connect(made[0], &QPushButton::clicked, this, &ControlPanel::combatEditorRequested);
    connect(made[1], &QPushButton::clicked, this, &ControlPanel::variablesRequested);
    connect(made[2], &QPushButton::clicked, this, &ControlPanel::gameOptionsRequested);
    connect(made[3], &QPushButton::clicked, this, &ControlPanel::tester);
    connect(made[4], &QPushButton::clicked, this, [this] {
        mServices.dialogs.message(this, QStringLiteral("En création..."), AppTitle,
                                  MsgIcon::None, MsgButtons::Ok);
    });
    connect(mList, &QListWidget::itemDoubleClicked, this,
            [this] { emit mapRequested(mList->currentRow() + 1); });
    connect(&mSession, &ProjectSession::projectChanged, this, &ControlPanel::tagChanged);
    // Maps added or renamed elsewhere show at once.
    connect(&mSession, &ProjectSession::mapsChanged, this, &ControlPanel::showMapNames);
}

QString ControlPanel::tag() const { return mSession.name(); }

void ControlPanel::activate() {
    if (!mSession.isOpen()) {
        emit closeRequested();
        return;
    }
    const ProjectIni ini = mSession.file().read();
    const BuildSummary summary{mSession.name(), ini.author(), ini.mapCountText(),
                               ini.combatsText()};
    showSummary(summary);
    if (summary.name.isEmpty() || summary.author.isEmpty() || summary.maps.isEmpty() ||
        summary.combats.isEmpty())
        mServices.dialogs.message(
            this,
            QStringLiteral("Erreur : Une donnée de votre jeu n'a pu être chargée , le programme "
                           "risque d'être instable , il est conseillé de le redémarrer , si le "
                           "problème persiste , contacter Tamsik sur le forum de ") +
                SupportSite,
            AppTitle, MsgIcon::None, MsgButtons::Ok);
    mList->clear();
    mList->addItems(ini.mapNames());
    emit activated();
}

void ControlPanel::showMapNames() {
    if (!mSession.isOpen())
        return;
    const ProjectIni ini = mSession.file().read();
    mMaps->setText(ini.mapCountText());
    const int row = mList->currentRow();
    mList->clear();
    mList->addItems(ini.mapNames());
    mList->setCurrentRow(row);
}

void ControlPanel::showSummary(const BuildSummary& summary) {
    mName->setText(summary.name);
    mAuthor->setText(summary.author);
    mMaps->setText(summary.maps);
    mCombats->setText(summary.combats);
}

void ControlPanel::tester() { startGame(LiveTestRun::Start::Another); }

void ControlPanel::restartGame() { startGame(LiveTestRun::Start::Restart); }

void ControlPanel::startGame(LiveTestRun::Start how) {
    // The game played is the one on screen: every unsaved map and event script is saved first.
    if (const QString error = mSession.saveAll(); !error.isEmpty()) {
        mServices.dialogs.message(this, error + QStringLiteral("\n\nLe jeu n'a pas été lancé."),
                                  AppTitle, MsgIcon::Critical, MsgButtons::Ok);
        return;
    }
    const TestRunOutcome outcome = mTestRun.start(how);
    showSummary(outcome.summary);
    if (!outcome.notice.isEmpty())
        mServices.dialogs.message(this, outcome.notice, AppTitle, MsgIcon::Warning,
                                  MsgButtons::Ok);
    if (!outcome.error.isEmpty())
        mServices.dialogs.message(this, outcome.error, AppTitle, MsgIcon::Critical,
                                  MsgButtons::Ok);
}
