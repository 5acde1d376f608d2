// The small document/view layer: a document knows its views, its path, title
// and modified flag, and tells every view of a change through one call.
#pragma once

#include <string>
#include <vector>

class CDocumentBase;

class CViewBase
{
public:
    virtual ~CViewBase() = default;
    // hint numbers: 16 text loaded, 128 binary content changed, 32 layout reset, ...
    virtual void OnUpdate(CViewBase* sender, int hint, void* object) = 0;
};

class CDocumentBase
{
public:
    virtual ~CDocumentBase() = default;

    void AddView(CViewBase* view);
    void RemoveView(CViewBase* view);
    const std::vector<CViewBase*>& views() const { return m_views; }
    void UpdateAllViews(int hint, void* object = nullptr, CViewBase* sender = nullptr);

    virtual bool IsModified() const { return m_bModified; }
    virtual void SetModifiedFlag(bool modified) { m_bModified = modified; }

    // Paths are native (UTF-8 on Linux).
    const std::string& GetPathName() const { return m_strPathName; }
    void SetPathName(const std::string& path) { m_strPathName = path; }
    const std::string& GetTitle() const { return m_strTitle; }
    void SetTitle(const std::string& title) { m_strTitle = title; }

private:
    std::vector<CViewBase*> m_views;
    std::string m_strPathName;
    std::string m_strTitle;
    bool m_bModified = false;
};
