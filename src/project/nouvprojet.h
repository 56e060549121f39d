#pragma once

#include <QWidget>

struct AppServices;
class QLineEdit;

// The project-creation window `nouvprojet`: a name, an author and "C'est partie !". On
// success it reports the new project's name; the main window then makes it current.
class NouvProjet : public QWidget {
    Q_OBJECT
public:
    explicit NouvProjet(AppServices& services, QWidget* parent = nullptr);

signals:
    void projectCreated(const QString& name);

private:
    void create();

    AppServices& mServices;
    QLineEdit* mName;
    QLineEdit* mAuthor;
};
