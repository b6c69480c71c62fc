#include "app/CommandSteps.h"

#include "app/BuildSession.h"
#include "UserError.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <exception>

StepsOutcome runCommandSteps(const std::function<void()> &steps)
{
    StepsOutcome outcome;
    bool cancelled = false;
    try {
        steps();
        outcome.completed = true;
        return outcome;
    } catch (const BuildSession::Cancelled &) {
        cancelled = true;
    } catch (const UserError &error) {
        outcome.failure = error.message();
    } catch (const std::exception &error) {
        outcome.failure = QString::fromLocal8Bit(error.what());
    } catch (...) {
        // Nothing of ours throws other types, but none may reach the event
        // loop from a handler.
    }
    while (QGuiApplication::overrideCursor())
        QGuiApplication::restoreOverrideCursor();
    // A failure without words is still reported, never passed over.
    if (!cancelled && outcome.failure.isEmpty())
        outcome.failure = QCoreApplication::translate("frmMain", "An unexpected error occurred.");
    return outcome;
}
