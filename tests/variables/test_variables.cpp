#include "project/module1.h"
#include "project/paths.h"
#include "shell/services.h"
#include "variables/vareditor.h"
#include "variables/variables.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

// The variables editor against a real projet.ini in a temporary application folder.
class TestVariables : public QObject {
    Q_OBJECT

    QTemporaryDir mApp;
    ScriptedDialogService mDialogs;
    RecordingProcessService mProcesses;
    RecordingDocumentService mDocuments;
    AppServices mServices{QString(), mDialogs, mProcesses, mDocuments};
    QString mIni;

    void newProject() {
        QDir(mApp.path()).mkpath(QStringLiteral("projets/Jeu"));
        QFile::remove(mIni);
        writeini(QStringLiteral("Jeu"), QStringLiteral("nom"), QStringLiteral("Jeu"), mIni);
        writeini(QStringLiteral("Variables"), QStringLiteral("nombre"), QStringLiteral("0"), mIni);
    }

    std::unique_ptr<VarEditor> editor() {
        auto e = std::make_unique<VarEditor>(mServices, [] { return QStringLiteral("Jeu"); });
        e->loadvars();
        return e;
    }

    static QStringList lines(VarEditor& e) {
        QStringList out;
        auto* list = e.findChild<QListWidget*>(QStringLiteral("List1"));
        for (int i = 0; i < list->count(); ++i)
            out << list->item(i)->text();
        return out;
    }

    static QString count(VarEditor& e) {
        return e.findChild<QLabel*>(QStringLiteral("Label2"))->text();
    }

    void add(VarEditor& e, std::optional<QString> answer) {
        mDialogs.promptAnswers.append(answer);
        e.findChild<QPushButton*>(QStringLiteral("Command1"))->click();
    }

    void clickLine(VarEditor& e, int row, std::optional<QString> answer) {
        mDialogs.promptAnswers.append(answer);
        auto* list = e.findChild<QListWidget*>(QStringLiteral("List1"));
        emit list->itemClicked(list->item(row));
    }

private slots:
    void init() {
        mServices.appDir = mApp.path();
        mIni = projectIni(mApp.path(), QStringLiteral("Jeu"));
        mDialogs.shown.clear();
        mDialogs.promptAnswers.clear();
        mDialogs.answers.clear();
        newProject();
    }

    void newProjectShowsZeroAndNoLine() {
        auto e = editor();
        QCOMPARE(count(*e), QStringLiteral("0"));
        QVERIFY(lines(*e).isEmpty());
    }

    void addingVariablesWritesSectionsAndLists() {
        auto e = editor();
        add(*e, QStringLiteral("100"));
        QCOMPARE(readini("Variable1", "numero", mIni), QStringLiteral("1"));
        QCOMPARE(readini("Variable1", "valeur", mIni), QStringLiteral("100"));
        QCOMPARE(readini("Variables", "nombre", mIni), QStringLiteral("1"));
        QCOMPARE(count(*e), QStringLiteral("1"));
        QCOMPARE(lines(*e), QStringList{QStringLiteral("1 | Valeur de départ : 100")});
        QCOMPARE(mDialogs.shown.last().text,
                 QStringLiteral("Taper la valeur de départ de la variable"));
        QCOMPARE(mDialogs.shown.last().title, QStringLiteral("Quendal"));

        add(*e, QString()); // OK with an empty answer: a real empty value
        QCOMPARE(lines(*e).last(), QStringLiteral("2 | Valeur de départ : "));
        add(*e, std::nullopt); // Cancel: nothing added
        QCOMPARE(readini("Variables", "nombre", mIni), QStringLiteral("2"));
        QVERIFY(readini("Variable3", "numero", mIni).isEmpty());
        add(*e, QStringLiteral("x"));

        clickLine(*e, 2, QStringLiteral("5"));
        QCOMPARE(readini("Variable3", "valeur", mIni), QStringLiteral("5"));
        QCOMPARE(lines(*e).at(2), QStringLiteral("3 | Valeur de départ : 5"));
        clickLine(*e, 0, std::nullopt); // Cancel keeps the start value
        QCOMPARE(readini("Variable1", "valeur", mIni), QStringLiteral("100"));
    }

    void valuesAreStoredUnchangedAndListedCut() {
        auto e = editor();
        const QString odd = QStringLiteral("une clé \"spéciale\" à œuf €");
        add(*e, odd);
        QCOMPARE(readini("Variable1", "valeur", mIni), odd);
        QCOMPARE(lines(*e).last(), QStringLiteral("1 | Valeur de départ : ") + odd);

        const QString longValue(300, QLatin1Char('a'));
        add(*e, longValue);
        QVERIFY(readfile(mIni).contains(longValue));
        QCOMPARE(lines(*e).last(), QStringLiteral("2 | Valeur de départ : ") + longValue.left(254));
    }

    void countChangedByHandIsShownOnReload() {
        auto e = editor();
        writeini("Variables", "nombre", "3", mIni);
        writeini("Variable2", "valeur", "deux", mIni);
        e->loadvars();
        QCOMPARE(count(*e), QStringLiteral("3"));
        QCOMPARE(lines(*e), (QStringList{QStringLiteral("1 | Valeur de départ : "),
                                         QStringLiteral("2 | Valeur de départ : deux"),
                                         QStringLiteral("3 | Valeur de départ : ")}));
    }

    void badCountIsReportedAndNothingWritten() {
        writeini("Variables", "nombre", "beaucoup", mIni);
        auto e = editor();
        QCOMPARE(mDialogs.shown.size(), 1);
        QVERIFY(mDialogs.shown.last().text.startsWith(QStringLiteral("Erreur : ")));
        const QString before = readfile(mIni);
        add(*e, QStringLiteral("1"));
        QCOMPARE(readfile(mIni), before);
        QVERIFY(mDialogs.shown.last().text.startsWith(QStringLiteral("Erreur : ")));
    }

    void failedWriteIsReportedAndKeepsEarlierWrites() {
        auto e = editor();
        add(*e, QStringLiteral("a"));
        QFile::setPermissions(mIni, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
        const QString before = readfile(mIni);
        add(*e, QStringLiteral("b"));
        QFile::setPermissions(mIni, QFile::ReadOwner | QFile::WriteOwner);
        QCOMPARE(readfile(mIni), before);
        const QString text = mDialogs.shown.last().text;
        QVERIFY2(text.startsWith(QStringLiteral("Erreur : ")) && text.contains(mIni),
                 qPrintable(text));
        QCOMPARE(lines(*e), QStringList{QStringLiteral("1 | Valeur de départ : a")});

        // A project folder that vanished: the message names the file too.
        QDir(mApp.path() + QStringLiteral("/projets/Jeu")).removeRecursively();
        clickLine(*e, 0, QStringLiteral("z"));
        QVERIFY(mDialogs.shown.last().text.contains(mIni));
    }
};

QTEST_MAIN(TestVariables)
#include "test_variables.moc"
