#include "mapeditor.h"

#include "maps/mapfiles.h"
#include "project/paths.h"
#include "shell/appinfo.h"
#include "shell/services.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

template <typename W>
W* place(W* w, const char* name, int x, int y, int width, int height) {
    w->setObjectName(QLatin1String(name));
    w->setGeometry(x, y, width, height);
    return w;
}

QLabel* label(QWidget* parent, const char* name, const QString& text, int x, int y, int width,
              int height = 17) {
    return place(new QLabel(text, parent), name, x, y, width, height);
}

QPushButton* button(QWidget* parent, const char* name, const QString& text, int x, int y,
                    int width, int height) {
    return place(new QPushButton(text, parent), name, x, y, width, height);
}

} // namespace

MapEditor::MapEditor(AppServices& services, std::function<QString()> currentProject,
                     QWidget* parent)
    : QWidget(parent), mServices(services), mCurrentProject(std::move(currentProject)) {
    setObjectName(QStringLiteral("mapeditor"));
    setWindowTitle(QStringLiteral("Editeur de carte"));
    // Positions are pixels as laid out for the editor; a small font keeps captions inside.
    QFont small = font();
    small.setPixelSize(11);
    setFont(small);
    // The canvas takes (0, 0) to (481, 249) and the event panel the area from (0, 248); the
    // window opens on the part of the panel that holds controls, so that it fits beside the
    // control panel on a 1280-pixel screen.
    setMinimumSize(649, 560);

    auto* command4 = button(this, "Command4", QStringLiteral("Menu principal"), 480, 0, 161, 25);

    mFrame2 = place(new QGroupBox(QStringLiteral("Configuration"), this), "Frame2", 488, 24,
                    153, 225);
    label(mFrame2, "Label6", QStringLiteral("Position de départ du héro"), 8, 16, 145);
    label(mFrame2, "Label9", QStringLiteral("X :"), 8, 40, 16);
    mLabel4 = label(mFrame2, "Label4", QStringLiteral("1"), 24, 40, 25);
    mLabel4->setAccessibleName(QStringLiteral("Colonne de départ du héro"));
    label(mFrame2, "Label10", QStringLiteral("Y :"), 8, 56, 16);
    mLabel5 = label(mFrame2, "Label5", QStringLiteral("1"), 24, 56, 33);
    mLabel5->setAccessibleName(QStringLiteral("Ligne de départ du héro"));
    label(mFrame2, "Label7", QStringLiteral("Nom de la carte :"), 8, 72, 88);
    mText1 = place(new QLineEdit(QStringLiteral("Carte"), mFrame2), "text1", 96, 72, 49, 19);
    mText1->setAccessibleName(QStringLiteral("Nom de la carte"));
    auto* command10 =
        button(mFrame2, "Command10", QStringLiteral("Remettre la carte à zéro"), 8, 200, 137, 19);

    mFrame3 = place(new QGroupBox(QStringLiteral("Menu principal"), this), "Frame3", 320, 0,
                    161, 97);
    auto* command5 = button(mFrame3, "Command5", QStringLiteral("Nouvelle carte"), 8, 16, 145, 24);
    auto* command6 = button(mFrame3, "Command6", QStringLiteral("Charger carte"), 8, 40, 145, 24);
    auto* command7 =
        button(mFrame3, "Command7", QStringLiteral("Sauvegarder la carte"), 8, 64, 145, 24);
    mFrame3->hide();

    mFrame1 = place(new QGroupBox(QStringLiteral("Charger une carte"), this), "Frame1", 160, 40,
                    161, 57);
    label(mFrame1, "Label2", QStringLiteral("Carte n° :"), 8, 16, 48);
    mLabel1 = label(mFrame1, "Label1", QStringLiteral("01"), 56, 16, 24);
    mLabel1->setAccessibleName(QStringLiteral("Numéro de la carte à charger"));
    // (80, 16) is kept for the map chooser's scroll bar.
    mLabel3 = label(mFrame1, "Label3", QStringLiteral("Sans nom"), 8, 32, 118);
    mLabel3->setAccessibleName(QStringLiteral("Nom de la carte à charger"));
    auto* command1 = button(mFrame1, "Command1", QStringLiteral("OK"), 128, 32, 29, 21);

    connect(command4, &QPushButton::clicked, this, [this] {
        mFrame3->setVisible(mFrame3->isHidden());
        mFrame3->raise();
    });
    connect(command6, &QPushButton::clicked, this, [this] {
        mFrame1->setVisible(mFrame1->isHidden());
        mFrame1->raise();
    });
    connect(command1, &QPushButton::clicked, this, &MapEditor::loadmap);
    connect(command5, &QPushButton::clicked, this, &MapEditor::newMap);
    connect(command7, &QPushButton::clicked, this, &MapEditor::savemap);
    connect(command10, &QPushButton::clicked, this, &MapEditor::resetMap);
}

QString MapEditor::mapNumber() const { return mLabel1->text(); }

void MapEditor::setMapNumber(const QString& nn) { mLabel1->setText(nn); }

QString MapEditor::projectDir() const {
    return projectFolder(mServices.appDir, mCurrentProject());
}

void MapEditor::showError(const QString& text) {
    mServices.dialogs.message(this, text, AppTitle, MsgIcon::Critical, MsgButtons::Ok);
}

void MapEditor::startup() {
    if (mapCount(projectDir()) == 0) {
        mServices.dialogs.message(
            this,
            QStringLiteral("Il n'y a pas de carte , une nouvelle carte va être automatiquement "
                           "créée"),
            AppTitle, MsgIcon::None, MsgButtons::Ok);
        newMap();
    }
    mFrame3->hide();
    mFrame1->hide();
}

void MapEditor::loadmap() {
    mFrame3->hide();
    mFrame1->hide();
    const QString nn = mapNumber();
    const MapLoad load = loadMap(mState, projectDir(), nn);
    mText1->setText(load.name);
    mLabel4->setText(load.heroX);
    mLabel5->setText(load.heroY);
    mTag = nn;
    mCellsAreThisMap = load.valid;
    if (!load.valid) {
        showError(QStringLiteral("Erreur : carte invalide"));
        return;
    }
    emit mapChanged();
}

void MapEditor::savemap() {
    mFrame3->hide();
    const QString error = saveMap(mState, mCellsAreThisMap, projectDir(), mTag, mText1->text(),
                                  mLabel4->text(), mLabel5->text());
    if (!error.isEmpty())
        showError(error);
}

void MapEditor::newMap() {
    mFrame3->hide();
    const NewMap added = addNewMap(mServices.appDir, projectDir());
    if (!added.error.isEmpty()) {
        showError(added.error);
        return;
    }
    setMapNumber(added.nn);
    loadmap();
}

void MapEditor::resetMap() {
    const MsgAnswer answer = mServices.dialogs.message(
        this, QStringLiteral("Êtes-vous sûr de vouloir remettre la carte à zéro ?"), AppTitle,
        MsgIcon::None, MsgButtons::YesNo);
    if (answer != MsgAnswer::Yes)
        return;
    mState.reset();
    // The cleared grid is this map's own content from now on.
    mCellsAreThisMap = true;
    emit mapChanged();
}
