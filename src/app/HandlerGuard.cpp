#include "app/HandlerGuard.h"

#include "core/RuntimeError.h"
#include "dialogs/MessageBox.h"

void HandlerGuard::run(QWidget *dialogParent, const std::function<void()> &handler)
{
    try {
        handler();
    } catch (const RuntimeError &error) {
        MessageBox::message(dialogParent, error.description());
    } catch (const std::exception &error) {
        MessageBox::message(dialogParent, QString::fromLocal8Bit(error.what()));
    }
}
