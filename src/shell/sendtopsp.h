#pragma once

#include <QWidget>

class FolderList;
class QComboBox;

// The finalising window `sendtopsp`, a window of its own: a destination folder and the
// LuaPlayer option. It copies nothing yet.
class SendToPsp : public QWidget {
    Q_OBJECT
public:
    explicit SendToPsp(QWidget* parent = nullptr);

private:
    QComboBox* mDrive1;
    FolderList* mDir1;
};
