#include "maps/texturechooser.h"

#include "maps/textureset.h"
#include "project/module1.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QImageReader>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>
#include <QScrollBar>

#include <algorithm>

namespace {

QLabel* pictureLabel(const QString& name, const QString& accessible, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setAccessibleName(accessible);
    label->setFixedSize(28, 29);
    return label;
}

// A missing picture shows an empty preview.
void showPicture(QLabel* label, const QString& path) {
    QImageReader reader(resolvePath(path));
    reader.setDecideFormatFromContent(true);
    label->setPixmap(QPixmap::fromImage(reader.read()));
}

} // namespace

TextureChooser::TextureChooser(QString dataDir, QWidget* parent)
    : QGroupBox(QStringLiteral("Changer de texture"), parent), mDataDir(std::move(dataDir)) {
    setObjectName(QStringLiteral("Frame4"));
    setAccessibleName(title());
    mScroll = new QScrollBar(Qt::Horizontal, this);
    mScroll->setObjectName(QStringLiteral("HScroll2"));
    mScroll->setAccessibleName(QStringLiteral("Numéro de la texture"));
    mScroll->setFocusPolicy(Qt::StrongFocus);
    mScroll->setRange(1, 1);
    // The number of the set shown, beside its scroll bar.
    mNumber = new QLabel(this);
    mNumber->setObjectName(QStringLiteral("LabelTexture"));
    auto* grid = new QGridLayout(this);
    grid->addWidget(mNumber, 0, 0);
    grid->addWidget(mScroll, 0, 1, 1, 3);
    for (int i = 0; i < 4; ++i) {
        mPreviews[i] = pictureLabel(QStringLiteral("Image%1").arg(i + 1),
                                    QStringLiteral("Aperçu de la case %1").arg(i + 1), this);
        grid->addWidget(mPreviews[i], 1, i);
    }
    mOk = new QPushButton(QStringLiteral("OK"), this);
    mOk->setObjectName(QStringLiteral("Command14"));
    grid->addWidget(mOk, 2, 0, 1, 4);
    hide();
    connect(mScroll, &QScrollBar::valueChanged, this, &TextureChooser::showPreviews);
    connect(mOk, &QPushButton::clicked, this, [this] {
        hide();
        emit setChosen(mapNumberText(chosenSet()));
    });
}

void TextureChooser::toggle() {
    setVisible(isHidden());
    const int sets = TextureSet::count(mDataDir);
    mScroll->setMaximum(std::max(sets, 1));
    mScroll->setEnabled(sets > 0);
    mOk->setEnabled(sets > 0);
    showPreviews(mScroll->value());
}

int TextureChooser::chosenSet() const { return mScroll->value(); }

void TextureChooser::showSet(int set) {
    const int sets = TextureSet::count(mDataDir);
    {
        const QSignalBlocker block(mScroll);
        mScroll->setMaximum(std::max(sets, 1));
        mScroll->setValue(set);
    }
    showPreviews(mScroll->value());
}

void TextureChooser::showPreviews(int set) {
    mNumber->setText(QStringLiteral("n° ") + mapNumberText(set));
    const QStringList paths = TextureSet(mDataDir, set).previewPaths();
    for (int i = 0; i < 4; ++i)
        showPicture(mPreviews[i], paths[i]);
}

// ---- Tile picker

TilePicker::TilePicker(QString dataDir, QWidget* parent)
    : QGroupBox(QStringLiteral("Déssin"), parent), mDataDir(std::move(dataDir)) {
    setObjectName(QStringLiteral("Frame5"));
    setAccessibleName(title());
    mPreview = pictureLabel(QStringLiteral("Image5"), QStringLiteral("Case choisie"), this);
    mPreview->installEventFilter(this);
    mScroll = new QScrollBar(Qt::Horizontal, this);
    mScroll->setObjectName(QStringLiteral("Choixtext"));
    mScroll->setAccessibleName(QStringLiteral("Case à dessiner"));
    mScroll->setFocusPolicy(Qt::StrongFocus);
    mScroll->setRange(1, 1);
    auto* row = new QHBoxLayout(this);
    row->addWidget(mPreview);
    row->addWidget(mScroll, 1);
    connect(mScroll, &QScrollBar::valueChanged, this, [this](int tile) {
        refresh();
        emit tileChanged(tile);
        emit drawingChosen();
    });
}

void TilePicker::setTile(int tile) { mScroll->setValue(tile); }

int TilePicker::tile() const { return mScroll->value(); }

QString TilePicker::tileCode() const { return QString::number(tile() - 1); }

void TilePicker::setTextureSet(const QString& set) {
    mSet = set;
    const int before = tile();
    refresh();
    if (tile() != before)
        emit tileChanged(tile());
}

void TilePicker::refresh() {
    const TextureSet set(mDataDir, mSet);
    // setMaximum may lower the value, which comes back here through valueChanged.
    const QSignalBlocker block(mScroll);
    mScroll->setMaximum(set.pickerMaximum());
    showPicture(mPreview, set.tilePath(tile()));
}

bool TilePicker::eventFilter(QObject* watched, QEvent* event) {
    if (watched == mPreview && event->type() == QEvent::MouseButtonPress)
        emit drawingChosen();
    return QGroupBox::eventFilter(watched, event);
}
