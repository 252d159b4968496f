#pragma once

#include "Recipes.h"
#include "frmMain.h"

#include <QtTest>
#include <QtWidgets>

// The main window on view and active over RECIPES.DAT (when given) in a temporary folder.
struct WindowFixture : Folder
{
    explicit WindowFixture(const QByteArray &file = QByteArray())
    {
        if (!file.isNull())
            put(file);
        window = std::make_unique<frmMain>(list, dir.path());
        window->Form_Load();
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }
    template<typename T = QWidget>
    T *child(const char *name) const { return window->findChild<T *>(QString::fromLatin1(name)); }
    QString counter() const { return child<QLabel>("lblCurrRecord")->text(); }
    // Gives the control the focus and types into it.
    void type(const char *control, const QString &text, QKeyCombination first = Qt::Key_unknown) const
    {
        child(control)->setFocus();
        if (first.key() != Qt::Key_unknown)
            QTest::keyClick(child(control), first.key(), first.keyboardModifiers());
        QTest::keyClicks(child(control), text);
    }

    RecipeList list;
    std::unique_ptr<frmMain> window;
};

// Runs `action` on the next modal window once it is on view and active. One still open five
// seconds later fails the test and is closed, so that a wrong answer cannot hang the test;
// after five seconds without a modal window it gives up.
inline void onModal(std::function<void(QWidget *)> action)
{
    auto *poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, since = QDateTime::currentMSecsSinceEpoch(), action] {
        QWidget *modal = QApplication::activeModalWidget();
        const bool ready = modal && modal->isVisible() && modal->isActiveWindow();
        if (!ready && QDateTime::currentMSecsSinceEpoch() - since < 5000)
            return;
        poll->stop();
        poll->deleteLater();
        if (!ready)
            return;
        action(modal);
        QTimer::singleShot(5000, modal, [modal] {
            if (modal->isVisible()) {
                QTest::qFail("the modal window stayed open", __FILE__, __LINE__);
                modal->close();
            }
        });
    });
    poll->start(10);
}
