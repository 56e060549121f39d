// The variables editor against a real projet.ini in a temporary application folder.
#include "testsupport/appfixture.h"
#include "variables/variableswindow.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

class TestVariables : public QObject {
    Q_OBJECT
    std::unique_ptr<TestApp> mApp;
    std::unique_ptr<VariablesWindow> mEditor;
    QString mIni;

    QStringList lines() const {
        QStringList out;
        auto* list = mEditor->findChild<QListWidget*>("List1");
        for (int i = 0; i < list->count(); ++i)
            out << list->item(i)->text();
        return out;
    }
    void add(std::optional<QString> answer) {
        mApp->dialogs.promptAnswers.append(answer);
        mEditor->findChild<QPushButton*>("Command1")->click();
    }
    void clickLine(int row, std::optional<QString> answer) {
        mApp->dialogs.promptAnswers.append(answer);
        auto* list = mEditor->findChild<QListWidget*>("List1");
        emit list->itemClicked(list->item(row));
    }

private slots:
    void init() {
        mApp = std::make_unique<TestApp>();
        mIni = makeProject(mApp->dir.path(), "Jeu", 0) + "/projet.ini";
        mApp->session.open("Jeu");
        mEditor = std::make_unique<VariablesWindow>(mApp->services, mApp->session);
        mEditor->loadvars();
    }

    // Values are stored as given and listed cut to 254 characters; Cancel adds nothing.
    void addingAndChangingValues() {
        add(QStringLiteral("100"));
        QCOMPARE(readini("Variable1", "numero", mIni), QStringLiteral("1"));
        QCOMPARE(readini("Variable1", "valeur", mIni), QStringLiteral("100"));
        QCOMPARE(readini("Variables", "nombre", mIni), QStringLiteral("1"));
        QCOMPARE(mApp->messages(), QStringList{"Taper la valeur de départ de la variable"});
        add(QString()); // OK with an empty answer: a real empty value
        add(std::nullopt);
        const QString odd = QStringLiteral("une clé \"spéciale\" à œuf €");
        add(odd);
        add(QString(300, u'a'));
        QCOMPARE(mEditor->findChild<QLabel*>("Label2")->text(), QStringLiteral("4"));
        QCOMPARE(readini("Variable3", "valeur", mIni), odd);
        QVERIFY(readfile(mIni).contains(QString(300, u'a')));
        clickLine(1, QStringLiteral("5"));
        QCOMPARE(readini("Variable2", "valeur", mIni), QStringLiteral("5"));
        QCOMPARE(lines(), (QStringList{"1 | Valeur de départ : 100", "2 | Valeur de départ : 5",
                                       "3 | Valeur de départ : " + odd,
                                       "4 | Valeur de départ : " + QString(254, u'a')}));
    }

    void failedWriteIsReported() {
        add(QStringLiteral("a"));
        QFile::setPermissions(mIni, QFile::ReadOwner);
        const QByteArray before = bytesOf(mIni);
        add(QStringLiteral("b"));
        QFile::setPermissions(mIni, QFile::ReadOwner | QFile::WriteOwner);
        QCOMPARE(bytesOf(mIni), before);
        QVERIFY(mApp->messages().last().startsWith("Erreur : " ) && mApp->messages().last().contains(mIni));
        QCOMPARE(lines(), QStringList{"1 | Valeur de départ : a"});
    }
};

QTEST_MAIN(TestVariables)
#include "test_variables.moc"
