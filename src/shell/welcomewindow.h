#pragma once

#include <QWidget>

// The welcome window `Acc`: the three first choices of the program.
class WelcomeWindow : public QWidget {
    Q_OBJECT
public:
    explicit WelcomeWindow(QWidget* parent = nullptr);

signals:
    void createRequested();
    void openRequested();
    void documentationRequested();
};
