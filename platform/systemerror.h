#pragma once

#include <QString>

namespace lexalon {

// The system's reason for a failed call, in French, from its errno value.
// Qt's own reasons come through its French translations; this covers the
// calls the program makes itself.
QString systemErrorReason(int errorNumber);

} // namespace lexalon
