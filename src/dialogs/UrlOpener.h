// SPDX-License-Identifier: MIT
#pragma once

#include <QDesktopServices>
#include <QUrl>

// Opens an address in the user's browser, behind an interface so tests can watch the
// about box's link without starting one. Returns whether the system took the request.
class UrlOpener
{
public:
    virtual ~UrlOpener() = default;
    virtual bool open(const QUrl &url) = 0;
};

class DesktopUrlOpener final : public UrlOpener
{
public:
    bool open(const QUrl &url) override { return QDesktopServices::openUrl(url); }
};
