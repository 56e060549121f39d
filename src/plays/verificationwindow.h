#pragma once

#include "plays/verificationrunner.h"

#include <QWidget>

struct AppServices;
class ProjectSession;
class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;

// "Vérifier le jeu": a view of the verification, which runs in the background. A progress bar
// follows the replays; each kept play is listed as the same or different, and for the chosen
// one the window tells what differs, with the kept last screen and the replay's side by side.
class VerificationWindow : public QWidget {
    Q_OBJECT
public:
    VerificationWindow(AppServices& services, ProjectSession& session, QWidget* parent = nullptr);

    VerificationRunner& runner() { return mRunner; }

public slots:
    // Saves every unsaved edit, builds the game and replays every check.
    void verify();

private:
    void showProgress(int done, int total);
    void addResult(const CheckResult& result);
    void showFinished();
    void showChosen();
    void showPicture(QLabel* label, const QString& path, const QString& what);

    AppServices& mServices;
    ProjectSession& mSession;
    VerificationRunner mRunner;
    QProgressBar* mProgress;
    QLabel* mSummary;
    QListWidget* mList;
    QLabel* mDetails;
    QLabel* mExpected;
    QLabel* mActual;
    QPushButton* mAgain;
};
