#pragma once

#include <QString>

#include <functional>

// The general error path of the window's commands: a failure ends the
// steps where it happens, leaving the steps already done in place, and
// becomes a message for the user. A cancelled build is no failure.
struct StepsOutcome
{
    bool completed = false;
    QString failure; // what to tell the user; empty when completed or cancelled
};

// Runs steps, catching whatever they throw; no exception leaves it. The
// hourglass is taken down whatever happened.
StepsOutcome runCommandSteps(const std::function<void()> &steps);
