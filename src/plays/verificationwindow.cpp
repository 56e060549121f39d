#include "plays/verificationwindow.h"

#include "project/projectsession.h"
#include "shell/appinfo.h"
#include "shell/services.h"

#include <QGridLayout>

#include <algorithm>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QProgressBar>
#include <QPushButton>

namespace {

QString outcomeText(CheckResult::Outcome outcome) {
    switch (outcome) {
    case CheckResult::Same: return QStringLiteral("identique");
    case CheckResult::Different: return QStringLiteral("différente");
    case CheckResult::Failed: break;
    }
    return QStringLiteral("rejeu impossible");
}

// "1 différente", "3 identiques"
QString counted(qsizetype count, const QString& word) {
    return QString::number(count) + u' ' + word + (count > 1 ? QStringLiteral("s") : QString());
}

QString counted(qsizetype count, CheckResult::Outcome outcome) {
    switch (outcome) {
    case CheckResult::Same: return counted(count, QStringLiteral("identique"));
    case CheckResult::Different: return counted(count, QStringLiteral("différente"));
    case CheckResult::Failed: break;
    }
    return counted(count, QStringLiteral("impossible"));
}

QLabel* named(const char* name, QWidget* parent, const QString& text = QString()) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    return label;
}

} // namespace

VerificationWindow::VerificationWindow(AppServices& services, ProjectSession& session,
                                       QWidget* parent)
    : QWidget(parent), mServices(services), mSession(session),
      mRunner(session.paths(), services.processes) {
    setObjectName(QStringLiteral("verification"));
    setWindowTitle(QStringLiteral("Vérifier le jeu"));

    mProgress = new QProgressBar(this);
    mProgress->setObjectName(QStringLiteral("avancement"));
    mProgress->setAccessibleName(QStringLiteral("Parties rejouées"));
    mProgress->setFormat(QStringLiteral("%v / %m"));
    mSummary = named("resume", this);
    mList = new QListWidget(this);
    mList->setObjectName(QStringLiteral("resultats"));
    mList->setAccessibleName(QStringLiteral("Résultats des vérifications"));
    mDetails = named("differences", this);
    mDetails->setWordWrap(true);
    mExpected = named("imageGardee", this);
    mActual = named("imageRejeu", this);
    for (QLabel* picture : {mExpected, mActual}) {
        picture->setFixedSize(480, 272);
        picture->setFrameShape(QFrame::Box);
        picture->setAlignment(Qt::AlignCenter);
    }
    mAgain = new QPushButton(QStringLiteral("Vérifier à nouveau"), this);
    mAgain->setObjectName(QStringLiteral("verifierEncore"));

    auto* grid = new QGridLayout(this);
    grid->addWidget(mProgress, 0, 0, 1, 2);
    grid->addWidget(mSummary, 1, 0, 1, 2);
    grid->addWidget(mList, 2, 0, 1, 2);
    grid->addWidget(mDetails, 3, 0, 1, 2);
    grid->addWidget(named("Label1", this, QStringLiteral("Fin de la partie gardée :")), 4, 0);
    grid->addWidget(named("Label2", this, QStringLiteral("Fin du rejeu :")), 4, 1);
    grid->addWidget(mExpected, 5, 0);
    grid->addWidget(mActual, 5, 1);
    grid->addWidget(mAgain, 6, 1, Qt::AlignRight);
    grid->setRowStretch(2, 1);

    connect(&mRunner, &VerificationRunner::progress, this, &VerificationWindow::showProgress);
    connect(&mRunner, &VerificationRunner::checked, this, &VerificationWindow::addResult);
    connect(&mRunner, &VerificationRunner::finished, this, &VerificationWindow::showFinished);
    connect(mList, &QListWidget::currentRowChanged, this, &VerificationWindow::showChosen);
    connect(mAgain, &QPushButton::clicked, this, &VerificationWindow::verify);
    // The results are those of the project verified.
    connect(&mSession, &ProjectSession::projectChanged, this, [this] {
        mRunner.cancel();
        mList->clear();
        mSummary->clear();
        mProgress->reset();
    });
}

void VerificationWindow::verify() {
    mList->clear();
    mSummary->clear();
    showChosen();
    QString error = mSession.saveAll();
    if (error.isEmpty())
        error = mRunner.start(mSession.name());
    if (!error.isEmpty()) {
        mSummary->setText(QStringLiteral("Le jeu n'a pas pu être vérifié."));
        mServices.dialogs.message(this, error, AppTitle, MsgIcon::Critical, MsgButtons::Ok);
        return;
    }
    mAgain->setEnabled(false);
    mSummary->setText(mRunner.total() == 0
                          ? QString()
                          : QStringLiteral("Rejeu des parties gardées comme vérifications..."));
}

void VerificationWindow::showProgress(int done, int total) {
    mProgress->setRange(0, std::max(total, 1));
    mProgress->setValue(total == 0 ? 1 : done);
}

void VerificationWindow::addResult(const CheckResult& result) {
    auto* item = new QListWidgetItem(result.play.checkName + QStringLiteral(" : ") +
                                     outcomeText(result.outcome), mList);
    item->setData(Qt::UserRole, int(mRunner.results().size() - 1));
    if (mList->currentRow() < 0 && result.outcome != CheckResult::Same)
        mList->setCurrentItem(item);
}

void VerificationWindow::showFinished() {
    mAgain->setEnabled(true);
    const QList<CheckResult>& results = mRunner.results();
    if (results.isEmpty()) {
        mSummary->setText(QStringLiteral("Aucune partie n'est gardée comme vérification : gardez-en "
                                         "une dans « Parties enregistrées »."));
        return;
    }
    QStringList parts;
    for (const auto outcome : {CheckResult::Same, CheckResult::Different, CheckResult::Failed}) {
        const auto count = std::count_if(results.begin(), results.end(), [outcome](const CheckResult& r) {
            return r.outcome == outcome;
        });
        if (count > 0)
            parts << counted(count, outcome);
    }
    mSummary->setText(counted(results.size(), QStringLiteral("vérification")) + QStringLiteral(" : ") +
                      parts.join(QStringLiteral(", ")) + u'.');
}

void VerificationWindow::showChosen() {
    QListWidgetItem* item = mList->currentItem();
    if (!item) {
        mDetails->clear();
        showPicture(mExpected, QString(), QString());
        showPicture(mActual, QString(), QString());
        return;
    }
    const CheckResult& result = mRunner.results().at(item->data(Qt::UserRole).toInt());
    mDetails->setText(result.outcome == CheckResult::Same
                          ? QStringLiteral("La partie rejouée finit comme la partie gardée.")
                          : result.differences.join(u'\n'));
    showPicture(mExpected, result.expectedScreen, QStringLiteral("Fin de la partie gardée"));
    showPicture(mActual, result.actualScreen, QStringLiteral("Fin du rejeu"));
}

void VerificationWindow::showPicture(QLabel* label, const QString& path, const QString& what) {
    const QPixmap picture(path);
    label->setPixmap(picture);
    if (picture.isNull())
        label->setText(path.isEmpty() ? QString() : QStringLiteral("(pas d'image)"));
    label->setAccessibleName(what);
    label->setAccessibleDescription(path);
}
