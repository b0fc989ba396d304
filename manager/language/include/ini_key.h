#pragma once

#include <optional>
#include <string>
#include <utility>

#include "list_ex.h"

// One line of a section: a named key with its value and optional inline comment,
// or, without a name and value, a comment line.
class CIniKey : public _LIST_OBJECT {
public:
    using Text = std::optional<std::u16string>;

    CIniKey(Text name, Text value, Text comment)
        : m_name(std::move(name)), m_value(std::move(value)), m_comment(std::move(comment)) {}
    virtual ~CIniKey() = default;

    const Text& GetName() const noexcept { return m_name; }
    const Text& GetValue() const noexcept { return m_value; }
    const Text& GetComment() const noexcept { return m_comment; }

    void SetValue(std::u16string value) noexcept { m_value = std::move(value); }
    void SetComment(Text comment) noexcept { m_comment = std::move(comment); }

private:
    // Never changes after construction: the section's index refers to its characters.
    const Text m_name;
    Text m_value;
    Text m_comment;
};
