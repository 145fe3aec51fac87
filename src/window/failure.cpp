#include "failure.h"

#include "config/caption.h"
#include "names/runtimeerror.h"

#include <QCoreApplication>
#include <QMessageBox>

#include <new>

namespace hearthvale {

namespace {

bool reporting = false;

void failed(const std::exception *failure) noexcept
{
    // Another handler may fail while the box is up: one box at a time.
    if (reporting)
        return;
    reporting = true;
    try {
        reportFailure(failure);
    } catch (...) {
        // Too far gone to show anything; the status still tells.
    }
    reporting = false;
    QCoreApplication::exit(1);
}

} // namespace

QString describeFailure(const std::exception *failure)
{
    int code = 0;
    QString description;
    if (const auto *runtime = dynamic_cast<const RuntimeError *>(failure)) {
        code = runtime->code();
        description = runtime->description();
    } else if (dynamic_cast<const std::bad_alloc *>(failure)) {
        code = 7;
        description = QStringLiteral("Out of memory");
    } else {
        code = 51;
        description = QStringLiteral("Internal error");
        if (failure && *failure->what())
            description += QStringLiteral(": ") + QString::fromLocal8Bit(failure->what());
    }
    return QStringLiteral("Run-time error '%1':\n\n%2").arg(code).arg(description);
}

void reportFailure(const std::exception *failure)
{
    QMessageBox box(QMessageBox::Critical, windowCaption(), describeFailure(failure), QMessageBox::Ok);
    box.exec();
}

bool runHandler(const std::function<void()> &handler) noexcept
{
    try {
        handler();
        return true;
    } catch (const std::exception &failure) {
        failed(&failure);
    } catch (...) {
        failed(nullptr);
    }
    return false;
}

} // namespace hearthvale
