#pragma once

class QFile;

// Opens file as a temporary file without a name, read and write, so that
// nothing is left however the program ends; false with errno set when there
// is none. Others may open it again as /proc/self/fd/N while it is open.
bool openNameless(QFile &file);
