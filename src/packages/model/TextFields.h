#pragma once
// A fixed number of texts that most lines leave empty (the campaign and
// spot-repair fields of a package line): they are held apart and made only
// when one is written, so that a line without them stays small. Reading a
// line that has none gives empty texts; copies are deep and compare by
// value, so a line whose texts are all empty equals one that never had any.
// A read through a non-const line makes them too: read through a const one
// (std::as_const) where most lines have none.

#include <QString>

#include <array>
#include <cstddef>
#include <memory>

template <std::size_t N> class CTextFields
{
public:
    CTextFields() = default;
    CTextFields(const CTextFields &other) : m_texts(CopyOf(other)) {}
    CTextFields &operator=(const CTextFields &other)
    {
        if (this != &other)
            m_texts = CopyOf(other);
        return *this;
    }
    CTextFields(CTextFields &&) noexcept = default;
    CTextFields &operator=(CTextFields &&) noexcept = default;
    ~CTextFields() = default;

    static constexpr std::size_t size() { return N; }

    const QString &operator[](std::size_t i) const { return m_texts ? (*m_texts)[i] : Empty(); }
    QString &operator[](std::size_t i)
    {
        if (!m_texts)
            m_texts = std::make_unique<Texts>();
        return (*m_texts)[i];
    }

    bool operator==(const CTextFields &other) const
    {
        const CTextFields &self = *this;
        for (std::size_t i = 0; i < N; ++i) {
            if (self[i] != other[i])
                return false;
        }
        return true;
    }
    bool operator!=(const CTextFields &other) const { return !(*this == other); }

private:
    using Texts = std::array<QString, N>;
    static const QString &Empty()
    {
        static const QString empty;
        return empty;
    }
    static std::unique_ptr<Texts> CopyOf(const CTextFields &other)
    {
        return other.m_texts ? std::make_unique<Texts>(*other.m_texts) : nullptr;
    }

    std::unique_ptr<Texts> m_texts;
};
