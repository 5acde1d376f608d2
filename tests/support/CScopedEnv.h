// Sets (or, with no value, removes) an environment variable for one scope and
// puts the old state back afterwards.
#pragma once

#include <cstdlib>
#include <optional>
#include <string>

class CScopedEnv
{
public:
    CScopedEnv(std::string name, const std::optional<std::string>& value)
        : m_name(std::move(name))
    {
        if (const char* old = std::getenv(m_name.c_str()))
            m_old = old;
        set(value);
    }
    ~CScopedEnv() { set(m_old); }
    CScopedEnv(const CScopedEnv&) = delete;
    CScopedEnv& operator=(const CScopedEnv&) = delete;

private:
    void set(const std::optional<std::string>& value) const
    {
        if (value)
            ::setenv(m_name.c_str(), value->c_str(), 1);
        else
            ::unsetenv(m_name.c_str());
    }

    std::string m_name;
    std::optional<std::string> m_old;
};
