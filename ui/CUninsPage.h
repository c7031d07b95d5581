#pragma once

#include "framework/LIcon.h"
#include "ui/CLayoutPage.h"

class LImagePane;
class LPushButton;
class LTextPane;

// The uninstall page: the icon, the product's title and text, the folder that will be
// removed and the Uninstall button.
class CUninsPage : public CLayoutPage {
public:
    explicit CUninsPage(LFrame* window);

    void SetFolder(const char* folder);
    void SetTitle(const char* title);
    void SetText(const char* text);
    void SetIcon(const LIcon& icon);

    LPushButton* UninstallButton() const { return m_uninstall; }
    LTextPane* FolderPane() const { return m_folder; }

private:
    LPushButton* m_uninstall = nullptr;
    LTextPane* m_folder = nullptr;
    LTextPane* m_title = nullptr;
    LTextPane* m_text = nullptr;
    LImagePane* m_icon = nullptr;
};
