#include "doc/CDocumentBase.h"

#include <algorithm>

void CDocumentBase::AddView(CViewBase* view)
{
    if (std::find(m_views.begin(), m_views.end(), view) == m_views.end())
        m_views.push_back(view);
}

void CDocumentBase::RemoveView(CViewBase* view)
{
    m_views.erase(std::remove(m_views.begin(), m_views.end(), view), m_views.end());
}

void CDocumentBase::UpdateAllViews(int hint, void* object, CViewBase* sender)
{
    // A view may detach while being told; walk a copy.
    const std::vector<CViewBase*> views = m_views;
    for (CViewBase* view : views)
        if (view != sender)
            view->OnUpdate(sender, hint, object);
}
