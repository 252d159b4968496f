#include "search/SearchDialog.h"

#include "dialogs/FormLayout.h"
#include "dialogs/ScreenCentring.h"
#include "resources/Pictures.h"

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <limits>

SearchDialog::SearchDialog(QWidget *owner)
    : m_owner(owner)
{ }

SearchDialog::~SearchDialog()
{
    delete m_window;
}

std::optional<SearchRequest> SearchDialog::ask()
{
    m_request.reset();
    createWindow();
    m_window->exec();
    delete m_window;
    return m_request;
}

void SearchDialog::createWindow()
{
    // The owner only keeps the dialog out of the taskbar and above the main window.
    m_window = new QDialog(m_owner,
                           Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                               | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    QDialog *w = m_window;
    w->setObjectName(QStringLiteral("searchDialog"));
    w->setWindowTitle(tr("Search"));
    w->setWindowIcon(Pictures::programIcon());
    w->setFont(FormLayout::font());
    w->setFixedSize(FormLayout::rect(0, 0, 4455, 1695).size());

    QLabel *label = FormLayout::addLabel(w, "findWhatLabel", tr("Find &What:"), FormLayout::rect(120, 360, 2535, 255));
    m_findWhat = new QLineEdit(w);
    m_findWhat->setObjectName(QStringLiteral("findWhatEdit"));
    m_findWhat->setGeometry(FormLayout::rect(120, 600, 3015, 285));
    m_findWhat->setMaxLength(std::numeric_limits<int>::max());
    label->setBuddy(m_findWhat);

    QPushButton *findFirst
        = FormLayout::addButton(w, "findFirstButton", tr("&Find First"), FormLayout::rect(3240, 120, 1095, 375));
    // Enter presses it while the focus is in the box; on a button, Enter presses that button, which
    // the other buttons do only as auto-default buttons.
    findFirst->setDefault(true);
    QObject::connect(findFirst, &QPushButton::clicked, w, [this] { find(true); });
    QPushButton *findNext
        = FormLayout::addButton(w, "findNextButton", tr("Find &Next"), FormLayout::rect(3240, 600, 1095, 375));
    QObject::connect(findNext, &QPushButton::clicked, w, [this] { find(false); });
    QPushButton *cancel
        = FormLayout::addButton(w, "cancelButton", tr("Cancel"), FormLayout::rect(3240, 1200, 1095, 375));
    QObject::connect(cancel, &QPushButton::clicked, w, &QDialog::close);
    // Esc and the close box end the dialog as Cancel does: no request.

    QWidget::setTabOrder(m_findWhat, findFirst);
    QWidget::setTabOrder(findFirst, findNext);
    QWidget::setTabOrder(findNext, cancel);
    m_findWhat->setFocus();
    w->winId(); // the native window, whose frame, once known, counts in the centring
    ScreenCentring::centre(w, m_owner);
}

void SearchDialog::find(bool fromFirst)
{
    m_request = SearchRequest{m_findWhat->text(), fromFirst};
    m_window->close();
}
