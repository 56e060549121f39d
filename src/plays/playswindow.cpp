#include "plays/playswindow.h"

#include "plays/playreplay.h"
#include "plays/recordingstore.h"
#include "project/projectsession.h"
#include "shell/appinfo.h"
#include "shell/services.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTreeView>

namespace {

constexpr int kIdRole = Qt::UserRole + 1;

QPushButton* button(const char* name, const QString& caption, QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    return b;
}

QString mapText(const Recording& play) {
    return play.end.map().isEmpty() ? QStringLiteral("-") : play.end.map();
}

} // namespace

PlaysWindow::PlaysWindow(AppServices& services, ProjectSession& session, QWidget* parent)
    : QWidget(parent), mServices(services), mSession(session) {
    setObjectName(QStringLiteral("parties"));
    setWindowTitle(QStringLiteral("Parties enregistrées"));

    mModel = new QStandardItemModel(0, 4, this);
    mModel->setHorizontalHeaderLabels({QStringLiteral("Date"), QStringLiteral("Carte atteinte"),
                                       QStringLiteral("Durée"), QStringLiteral("Vérification")});
    mView = new QTreeView(this);
    mView->setObjectName(QStringLiteral("listeParties"));
    mView->setAccessibleName(QStringLiteral("Parties enregistrées"));
    mView->setModel(mModel);
    mView->setRootIsDecorated(false);
    mView->setUniformRowHeights(true);
    mView->setSelectionBehavior(QAbstractItemView::SelectRows);
    mView->setSelectionMode(QAbstractItemView::SingleSelection);
    mView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    mView->header()->setStretchLastSection(true);
    mCount = new QLabel(this);
    mCount->setObjectName(QStringLiteral("nombreParties"));

    mReplay = button("rejouer", QStringLiteral("Rejouer"), this);
    mReplay->setToolTip(QStringLiteral("Rejouer la partie dans la fenêtre du jeu"));
    mKeep = button("garder", QStringLiteral("Garder comme vérification"), this);
    mKeep->setToolTip(QStringLiteral("« Vérifier le jeu » rejouera cette partie et comparera sa fin"));
    mForget = button("oublier", QStringLiteral("Ne plus vérifier"), this);
    mRemove = button("supprimer", QStringLiteral("Supprimer"), this);

    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {mReplay, mKeep, mForget, mRemove})
        buttons->addWidget(b);
    buttons->addStretch(1);
    auto* layout = new QGridLayout(this);
    layout->addWidget(mCount, 0, 0);
    layout->addWidget(mView, 1, 0);
    layout->addLayout(buttons, 2, 0);
    resize(620, 320);

    connect(mView->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &PlaysWindow::updateButtons);
    connect(mView, &QTreeView::doubleClicked, this, &PlaysWindow::replay);
    connect(mReplay, &QPushButton::clicked, this, &PlaysWindow::replay);
    connect(mKeep, &QPushButton::clicked, this, &PlaysWindow::keep);
    connect(mForget, &QPushButton::clicked, this, &PlaysWindow::forget);
    connect(mRemove, &QPushButton::clicked, this, &PlaysWindow::remove);
    connect(&mSession, &ProjectSession::projectChanged, this, &PlaysWindow::reload);
    reload();
}

void PlaysWindow::reload() {
    const QString selected = selectedId();
    mModel->removeRows(0, mModel->rowCount());
    const QList<Recording> plays =
        mSession.isOpen() ? RecordingStore(mSession.folder()).list() : QList<Recording>();
    for (const Recording& play : plays) {
        QList<QStandardItem*> row{
            new QStandardItem(play.started.toString(QStringLiteral("dd/MM/yyyy HH:mm:ss"))),
            new QStandardItem(mapText(play)), new QStandardItem(play.lengthText()),
            new QStandardItem(play.checkName)};
        row[0]->setData(play.id, kIdRole);
        if (play.liveChanges > 0)
            row[0]->setToolTip(QStringLiteral("Partie modifiée pendant le jeu"));
        mModel->appendRow(row);
        if (play.id == selected)
            mView->setCurrentIndex(row[0]->index());
    }
    for (int column = 0; column < 3; ++column)
        mView->resizeColumnToContents(column);
    mCount->setText(plays.size() == 1 ? QStringLiteral("1 partie")
                                      : QStringLiteral("%1 parties").arg(plays.size()));
    updateButtons();
}

QString PlaysWindow::selectedId() const {
    const QModelIndexList rows = mView->selectionModel()->selectedRows();
    return rows.isEmpty() ? QString() : rows.first().data(kIdRole).toString();
}

void PlaysWindow::updateButtons() {
    const QModelIndexList rows = mView->selectionModel()->selectedRows();
    const bool chosen = !rows.isEmpty();
    const bool kept = chosen && !mModel->item(rows.first().row(), 3)->text().isEmpty();
    mReplay->setEnabled(chosen);
    mKeep->setEnabled(chosen && !kept);
    mForget->setEnabled(kept);
    mRemove->setEnabled(chosen);
}

void PlaysWindow::replay() {
    const auto play = RecordingStore(mSession.folder()).find(selectedId());
    if (!play)
        return;
    // The game played back is the one on screen, as for a test run.
    QString error = mSession.saveAll();
    if (error.isEmpty())
        error = replayInWindow(mSession.paths(), mSession.name(), mServices.processes, *play);
    if (!error.isEmpty())
        showError(error);
}

void PlaysWindow::keep() {
    const QString id = selectedId();
    if (id.isEmpty())
        return;
    const auto name = mServices.dialogs.prompt(this, QStringLiteral("Nom de la vérification :"),
                                               AppTitle);
    if (!name)
        return;
    RecordingStore store(mSession.folder());
    if (const QString error = store.keep(id, *name); !error.isEmpty())
        showError(error);
    reload();
}

void PlaysWindow::forget() {
    if (const QString error = RecordingStore(mSession.folder()).forget(selectedId()); !error.isEmpty())
        showError(error);
    reload();
}

void PlaysWindow::remove() {
    const QString id = selectedId();
    if (id.isEmpty())
        return;
    if (mServices.dialogs.message(this, QStringLiteral("Supprimer cette partie ?"), AppTitle,
                                  MsgIcon::None, MsgButtons::YesNo) != MsgAnswer::Yes)
        return;
    if (const QString error = RecordingStore(mSession.folder()).remove(id); !error.isEmpty())
        showError(error);
    reload();
}

void PlaysWindow::showError(const QString& message) {
    mServices.dialogs.message(this, message, AppTitle, MsgIcon::Critical, MsgButtons::Ok);
}
