#include "frmMain.h"

#include "AppInfo.h"
#include "RecipeFile.h"
#include "RecipeList.h"

#include <QCloseEvent>
#include <QLabel>
#include <QMessageBox>

frmMain::frmMain(RecipeList &list, const QString &folder, QWidget *parent)
    : QMainWindow(parent)
    , m_list(list)
    , m_label(new QLabel(this))
{
    setWindowTitle(AppInfo::title());
    setCentralWidget(m_label);
    m_file = new RecipeFile(list, folder, [this](const QString &message) {
        QMessageBox box(QMessageBox::NoIcon, AppInfo::title(), message, QMessageBox::Ok, this);
        box.setTextFormat(Qt::PlainText);
        box.exec();
    });
}

frmMain::~frmMain()
{
    delete m_file;
}

void frmMain::Form_Load()
{
    m_file->LoadRecipes();
    m_label->setText(tr("%1 recipes").arg(m_list.RecipeCount().value()));
}

void frmMain::closeEvent(QCloseEvent *event)
{
    m_file->SaveRecipes();
    event->accept();
}
