#include "application.h"

#include "names/runtimeerror.h"

#include <QMessageBox>

#include <new>

namespace hearthvale {

Application::Application(int &argc, char **argv)
    : QApplication(argc, argv)
{
}

bool Application::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception &failure) {
        failed(&failure);
    } catch (...) {
        failed(nullptr);
    }
    return true;
}

void Application::failed(const std::exception *failure)
{
    // Events delivered while the box is up may fail too: one box at a time.
    if (m_failing)
        return;
    m_failing = true;
    reportFailure(failure);
    m_failing = false;
    exit(1);
}

QString Application::describeFailure(const std::exception *failure)
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

void Application::reportFailure(const std::exception *failure)
{
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Hearthvale Neighborhood Name Generator"),
                    describeFailure(failure), QMessageBox::Ok);
    box.exec();
}

} // namespace hearthvale
