#pragma once

#include "app/CommandLine.h"

// foliotrace --export and --print: one listing of the request's folder,
// from the stored options and the ones given, written or printed without a
// window. Needs a QCoreApplication, and a QGuiApplication for a PDF or print.
// Nothing is stored. Failures are one line on standard error.
CommandLine::ExitStatus runWithoutWindow(const CommandLine::Request &request);

// Whether the run composes pages, and so needs a QGuiApplication (for its
// fonts) where the text formats need only a QCoreApplication.
bool runComposesPages(const CommandLine::Request &request);
