// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/files/fileprobe.h"
#include "platform/system/processstarter.h"

namespace lexalon {

class QtProcessStarter final : public ProcessStarter
{
public:
    bool startDetached(const QString &program) override;
};

class QtFileProbe final : public FileProbe
{
public:
    bool isOrdinaryFile(const QString &path) const override;
};

} // namespace lexalon
