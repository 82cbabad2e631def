// SPDX-License-Identifier: MIT
#pragma once

#include <QDialog>

class UrlOpener;

// The about box: banner, program icon, title, version and a short description, and a
// link to the maker's web site that opens through the given opener. Create a fresh one
// for each opening; it depends on nothing of the running program. OK or the close box
// ends it.
class frmAbout : public QDialog
{
    Q_OBJECT

public:
    explicit frmAbout(UrlOpener &opener, QWidget *parent = nullptr);

private:
    void buildLayout();
    void openWebSite();

    UrlOpener &m_opener;
};
