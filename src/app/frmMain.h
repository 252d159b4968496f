#pragma once

#include <QMainWindow>

class QLabel;
class RecipeFile;
class RecipeList;

class frmMain : public QMainWindow
{
    Q_OBJECT

public:
    frmMain(RecipeList &list, const QString &folder, QWidget *parent = nullptr);
    ~frmMain() override;

    void Form_Load();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    RecipeList &m_list;
    RecipeFile *m_file;
    QLabel *m_label;
};
