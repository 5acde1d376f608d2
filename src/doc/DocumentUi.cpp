#include "doc/DocumentUi.h"

namespace {

CDocumentUi g_defaultUi;
CDocumentUi* g_pUi = &g_defaultUi;

} // namespace

CDocumentUi* SetDocumentUi(CDocumentUi* ui)
{
    CDocumentUi* previous = g_pUi == &g_defaultUi ? nullptr : g_pUi;
    g_pUi = ui ? ui : &g_defaultUi;
    return previous;
}

CDocumentUi& DocumentUi()
{
    return *g_pUi;
}
