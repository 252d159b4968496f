#include "PromptRecorder.h"
#include "RecipeFile.h"
#include "Startup.h"
#include "frmMain.h"
#include "frmSplash.h"

#include <QtTest>
#include <QtWidgets>

namespace {

QWidget *topLevel(const char *name)
{
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w->objectName() == QLatin1String(name))
            return w;
    }
    return nullptr;
}

QByteArray nineRecipesFourthCurrent()
{
    QByteArray file("9,4\r\n");
    for (int i = 1; i <= 9; ++i)
        file += "\"Recipe " + QByteArray::number(i) + "\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n";
    return file;
}

class Folders
{
public:
    Folders() { QDir::setCurrent(elsewhere.path()); }
    ~Folders() { QDir::setCurrent(QCoreApplication::applicationDirPath()); }

    QString file() const { return program.filePath(RecipeFile::fileName()); }
    void write(const QByteArray &bytes) const
    {
        QFile f(file());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QByteArray read() const
    {
        QFile f(file());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QTemporaryDir program;
    QTemporaryDir elsewhere;
};

QString counter()
{
    return Startup::mainWindow()->findChild<QLabel *>(QStringLiteral("lblCurrRecord"))->text();
}

} // namespace

class TestStartup : public QObject
{
    Q_OBJECT

private slots:
    void firstRunStartsEmptyAndCreatesTheFileOnClose();
    void reopensAtTheRecipeThatWasCurrent();
    void loadMessageComesUpInFrontOfTheSplashScreen();
    void splashScreenHasNoTitleBarTaskbarEntryOrInput();
};

void TestStartup::firstRunStartsEmptyAndCreatesTheFileOnClose()
{
    Folders folders;
    PromptRecorder prompts;
    Startup::Main(folders.program.path());
    QVERIFY(Startup::mainWindow()->isVisible());
    QCOMPARE(counter(), QStringLiteral("No Records"));
    QVERIFY(!Startup::mainWindow()->findChild<QWidget *>(QStringLiteral("txtName"))->isEnabled());
    QCOMPARE(QDir::currentPath(), QDir(folders.program.path()).canonicalPath());

    Startup::mainWindow()->close();
    QTRY_VERIFY(!Startup::mainWindow()); // deleted once closed
    QCOMPARE(prompts.texts(), QStringList());
    QCOMPARE(folders.read(), QByteArray("0,0\r\n"));
    QVERIFY(QDir(folders.elsewhere.path()).isEmpty());
}

void TestStartup::reopensAtTheRecipeThatWasCurrent()
{
    Folders folders;
    folders.write(nineRecipesFourthCurrent());
    Startup::Main(folders.program.path());
    QCOMPARE(counter(), QStringLiteral("Record 4 of 9"));
    QVERIFY(QTest::qWaitForWindowActive(Startup::mainWindow()));
    QTest::keyClick(Startup::mainWindow(), Qt::Key_F12);
    Startup::mainWindow()->close();
    QTRY_VERIFY(!Startup::mainWindow());
    QVERIFY(folders.read().startsWith("9,5\r\n"));

    Startup::Main(folders.program.path());
    QCOMPARE(counter(), QStringLiteral("Record 5 of 9"));
    Startup::mainWindow()->close();
    QTRY_VERIFY(!Startup::mainWindow());
}

void TestStartup::loadMessageComesUpInFrontOfTheSplashScreen()
{
    Folders folders;
    folders.write("2,1\r\n\"Only\"\r\n");
    PromptRecorder prompts;
    bool splashOnView = false;
    bool mainHidden = false;
    prompts.onShow([&](const MessageBox::Request &) {
        QWidget *splash = topLevel("frmSplash");
        splashOnView = splash && splash->isVisible();
        mainHidden = !Startup::mainWindow()->isVisible();
    });
    Startup::Main(folders.program.path());
    QCOMPARE(prompts.requests().size(), 1);
    QCOMPARE(prompts.requests().first().caption, QString()); // the program's title
    QVERIFY(prompts.texts().first().startsWith(QStringLiteral("Input past end of file")));
    QVERIFY(splashOnView);
    QVERIFY(mainHidden);
    QVERIFY(!topLevel("frmSplash"));
    QCOMPARE(counter(), QStringLiteral("Record 1 of 2"));
    Startup::mainWindow()->close();
    QTRY_VERIFY(!Startup::mainWindow());
}

void TestStartup::splashScreenHasNoTitleBarTaskbarEntryOrInput()
{
    frmSplash splash;
    QCOMPARE(splash.size(), QSize(491, 308));
    QVERIFY(splash.windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(splash.windowType(), Qt::SplashScreen); // kept out of the taskbar
    QVERIFY(splash.windowFlags() & Qt::WindowTransparentForInput);
    QCOMPARE(splash.findChild<QLabel *>(QStringLiteral("lblProductName"))->text(), QStringLiteral("Larderly"));
    QCOMPARE(splash.findChild<QLabel *>(QStringLiteral("lblVersion"))->text(), QStringLiteral("Version 1.0.0"));
    QCOMPARE(splash.findChild<QLabel *>(QStringLiteral("lblPlatform"))->text(), QStringLiteral("Platform"));
    QCOMPARE(splash.findChild<QLabel *>(QStringLiteral("lblCompanyProduct"))->font().pointSizeF(), 18.0);
    QCOMPARE(splash.findChild<QWidget *>(QStringLiteral("fraMainFrame"))->geometry(), QRect(16, 16, 460, 273));
    // Auto-sized: the label fits its text and keeps its top-left corner.
    QLabel *version = splash.findChild<QLabel *>(QStringLiteral("lblVersion"));
    QCOMPARE(version->pos(), QPoint(352, 136));
    QCOMPARE(version->size(), version->sizeHint());
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
