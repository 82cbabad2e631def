// SPDX-License-Identifier: MIT
// Systems without a known way to start programs at logon: every request fails.
#include "Autostart.h"

namespace {

class NoAutostart final : public Autostart
{
public:
    bool SetAutostart(const QString &, const QString &) override { return false; }
    bool RemoveAutostart(const QString &) override { return false; }
};

} // namespace

std::unique_ptr<Autostart> createAutostart()
{
    return std::make_unique<NoAutostart>();
}
