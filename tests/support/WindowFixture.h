#pragma once

#include "Recipes.h"
#include "app/MainWindow.h"
#include "store/RecipeBox.h"

#include <QtTest>
#include <QtWidgets>

// The main window on view and active over RECIPES.DAT (when given) in a temporary folder.
struct WindowFixture : Folder
{
    explicit WindowFixture(const QByteArray &file = QByteArray())
        : recipes(dir.path())
    {
        if (!file.isNull())
            put(file);
        window = std::make_unique<MainWindow>(recipes);
        window->loadRecipes();
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }
    template<typename T = QWidget>
    T *child(const char *name) const
    {
        return window->findChild<T *>(name);
    }
    QString counter() const { return child<QLabel>("recordCounter")->text(); }
    // Gives the control the focus, presses `first` if given, and types.
    void type(const char *control, const QString &text, QKeyCombination first = Qt::Key_unknown) const
    {
        child(control)->setFocus();
        if (first.key() != Qt::Key_unknown)
            QTest::keyClick(child(control), first.key(), first.keyboardModifiers());
        QTest::keyClicks(child(control), text);
    }

    const RecipeList &list() const { return recipes.list(); }

    RecipeBox recipes;
    std::unique_ptr<MainWindow> window;
};

// Runs `action` on the next modal window once it is active, waiting five seconds for one; a window
// still open five seconds after the action fails the test and is closed, so nothing hangs.
inline void onModal(std::function<void(QWidget *)> action)
{
    auto *poll = new QTimer(qApp); // gone with the application at the latest
    QObject::connect(poll, &QTimer::timeout, [poll, action, since = QDateTime::currentMSecsSinceEpoch()] {
        QWidget *modal = QApplication::activeModalWidget();
        const bool ready = modal && modal->isVisible() && modal->isActiveWindow();
        if (!ready && QDateTime::currentMSecsSinceEpoch() - since < 5000)
            return;
        poll->deleteLater();
        poll->stop();
        if (ready) {
            action(modal);
            QTimer::singleShot(5000, modal, [modal] {
                modal->isVisible() && (QTest::qFail("still open", __FILE__, __LINE__), modal->close());
            });
        }
    });
    poll->start(10);
}
