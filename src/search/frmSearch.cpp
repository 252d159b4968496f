#include "search/frmSearch.h"

#include "dialogs/FormLayout.h"
#include "resources/Pictures.h"

#include <QDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

#include <limits>

frmSearch::frmSearch(QWidget *owner)
    : m_owner(owner)
{
}

frmSearch::~frmSearch()
{
    delete m_window;
}

bool frmSearch::GetSearchStr(bool &bFindFirst, QString &strFindWhat)
{
    mOK = false;
    mFindFirst = false;
    createWindow();
    m_window->exec();
    delete m_window;
    if (mOK) {
        bFindFirst = mFindFirst;
        strFindWhat = mFindText;
    }
    return mOK;
}

void frmSearch::createWindow()
{
    // The owner only keeps the dialog out of the taskbar and above the main window.
    m_window = new QDialog(m_owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint
                                        | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    QDialog *w = m_window;
    w->setObjectName(QStringLiteral("frmSearch"));
    w->setWindowTitle(QStringLiteral("Search"));
    w->setWindowIcon(Pictures::programIcon());
    w->setFont(FormLayout::font());
    w->setFixedSize(FormLayout::rect(0, 0, 4455, 1695).size());

    auto *label1 = new QLabel(QStringLiteral("Find &What:"), w);
    label1->setObjectName(QStringLiteral("Label1"));
    label1->setGeometry(FormLayout::rect(120, 360, 2535, 255));

    txtFindWhat = new QLineEdit(w);
    txtFindWhat->setObjectName(QStringLiteral("txtFindWhat"));
    txtFindWhat->setGeometry(FormLayout::rect(120, 600, 3015, 285));
    txtFindWhat->setMaxLength(std::numeric_limits<int>::max());
    label1->setBuddy(txtFindWhat);

    auto *findFirst = new QPushButton(QStringLiteral("&Find First"), w);
    findFirst->setObjectName(QStringLiteral("cmdFindFirst"));
    findFirst->setGeometry(FormLayout::rect(3240, 120, 1095, 375));
    // Enter presses it while the focus is in the box; on a button, Enter presses that button, which
    // the other buttons do only as auto-default buttons.
    findFirst->setDefault(true);
    QObject::connect(findFirst, &QPushButton::clicked, w, [this] { cmdFindFirst_Click(); });

    auto *findNext = new QPushButton(QStringLiteral("Find &Next"), w);
    findNext->setObjectName(QStringLiteral("cmdFindNext"));
    findNext->setGeometry(FormLayout::rect(3240, 600, 1095, 375));
    QObject::connect(findNext, &QPushButton::clicked, w, [this] { cmdFindNext_Click(); });

    auto *cancel = new QPushButton(QStringLiteral("Cancel"), w);
    cancel->setObjectName(QStringLiteral("cmdCancel"));
    cancel->setGeometry(FormLayout::rect(3240, 1200, 1095, 375));
    QObject::connect(cancel, &QPushButton::clicked, w, [this] { cmdCancel_Click(); });
    // Esc and the close box end the dialog like Cancel: nothing sets mOK.

    QWidget::setTabOrder(txtFindWhat, findFirst);
    QWidget::setTabOrder(findFirst, findNext);
    QWidget::setTabOrder(findNext, cancel);
    txtFindWhat->setFocus();
    w->winId(); // the native window, so its frame counts when it is centred
    Form_Load();
}

void frmSearch::Form_Load()
{
    // Centred on the screen; a window larger than the screen gets a negative position.
    const QScreen *screen = m_owner && m_owner->screen() ? m_owner->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->geometry();
    const QSize outer = m_window->frameGeometry().size();
    m_window->move(area.left() + (area.width() - outer.width()) / 2, area.top() + (area.height() - outer.height()) / 2);
}

void frmSearch::cmdFindFirst_Click()
{
    mOK = true;
    mFindFirst = true;
    mFindText = txtFindWhat->text();
    m_window->close();
}

void frmSearch::cmdFindNext_Click()
{
    mOK = true;
    mFindText = txtFindWhat->text();
    m_window->close();
}

void frmSearch::cmdCancel_Click()
{
    m_window->close();
}
