#include "resources/LResDefaultChain.h"

#include "framework/LMenu.h"
#include "resources/LLocalResSource.h"
#include "resources/LResSourceChain.h"
#include "resources/LStrList.h"
#include "resources/ResourceLanguage.h"

#include <new>

namespace LResDefaultChain {

namespace {

bool LoadMenuStrings(const char* name, LMenu::Strings* strings)
{
    LStrList list(name, LStrList::kMenu);
    for (int i = 0; i < list.Count(); ++i) {
        LString* text = new (std::nothrow) LString(list.Get(i));
        if (!text || !strings->Append(text)) {
            delete text;
            return false;
        }
    }
    return list.Count() > 0;
}

} // namespace

LResSourceChain* CreateForLocale(HINSTANCE instance, LCID userLocale)
{
    Destroy();
    LResSourceChain* chain = new (std::nothrow) LResSourceChain;
    if (!chain)
        return nullptr;
    chain->Add(new (std::nothrow) LResSource(nullptr));
    chain->Add(new (std::nothrow) LLocalResSource(instance, ResourceLanguage::Choose(userLocale)));
    LResSourceChain::SetDefault(chain);
    LMenu::SetLoader(LoadMenuStrings);
    return chain;
}

LResSourceChain* Create(HINSTANCE instance)
{
    return CreateForLocale(instance, GetUserDefaultLCID());
}

void Destroy()
{
    LResSourceChain* chain = LResSourceChain::Default();
    if (!chain)
        return;
    LMenu::SetLoader(nullptr);
    LResSourceChain::SetDefault(nullptr);
    delete chain;
}

WORD LanguageId()
{
    LResSourceChain* chain = LResSourceChain::Default();
    return chain ? chain->LanguageId() : 0;
}

} // namespace LResDefaultChain
