#pragma once

#include "build/destinations.h"
#include "build/gameexport.h"

#include <QPointer>
#include <QThread>
#include <QWidget>

#include <memory>

struct AppServices;
class FolderList;
class ProjectSession;
class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QRadioButton;

// The finalising window `sendtopsp`, a window of its own: where the game goes (a place and a
// folder in it), whether the console LuaPlayer goes with it, and the copy itself, which runs
// on a thread of its own with a progress bar and stops on "Fermer". The work is the plain
// functions of gameexport.h, gamecopy.h and gamecheck.h.
class SendToPsp : public QWidget {
    Q_OBJECT
public:
    SendToPsp(AppServices& services, ProjectSession& session, QWidget* parent = nullptr);
    ~SendToPsp() override;

    // Reads again the places, the console player and the game's size; done on every showing.
    void refresh();
    // The places Drive1 offers (this computer's, by default).
    void setPlaces(const QList<DestinationPlace>& places);
    // The folder the game's folder goes into: Dir1's current folder.
    QString destination() const;
    bool isCopying() const { return mWorker != nullptr; }

public slots:
    // "Copier": saves, builds, checks and asks on this thread, then copies on another.
    void copy();

signals:
    // The copy ended and what it came to was said (or it was cancelled).
    void copyFinished();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    struct Job;
    void showGameLine();
    void showTarget();
    void placeChosen(int index);
    void setCopying(bool copying);
    void copyEnded();

    AppServices& mServices;
    ProjectSession& mSession;
    QList<DestinationPlace> mPlaces;
    QComboBox* mDrive1;
    FolderList* mDir1;
    QRadioButton* mOption1;
    QRadioButton* mOption2;
    QLabel* mGameLine;
    QLabel* mTargetLine;
    QProgressBar* mProgress;
    QPushButton* mCopy;
    QPushButton* mClose;
    QPointer<QThread> mWorker;
    std::shared_ptr<Job> mJob;
    bool mCloseWhenStopped = false;
};
