// Navigation and changes of one XML element.
#include "xml/xml_element.h"

#include <charconv>
#include <climits>
#include <cstring>

#include "xml/xml_document.h"

namespace kelpo {

namespace {

bool NameIs(const char* stored, const char* wanted)
{
    return wanted == nullptr || (stored != nullptr && std::strcmp(stored, wanted) == 0);
}

bool IsCSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// atoi's reading, but held to the range of int instead of overflowing.
int ReadDecimal(const char* text)
{
    while (IsCSpace(*text)) {
        ++text;
    }
    const bool negative = *text == '-';
    if (*text == '-' || *text == '+') {
        ++text;
    }
    long long value = 0;
    for (; *text >= '0' && *text <= '9'; ++text) {
        value = value * 10 + (*text - '0');
        if (value > static_cast<long long>(INT_MAX) + 1) {
            value = static_cast<long long>(INT_MAX) + 1;
        }
    }
    if (negative) {
        value = -value;
    }
    if (value > INT_MAX) {
        return INT_MAX;
    }
    return static_cast<int>(value);
}

// Overwrites stored in place when the new string fits, so repeated updates of the
// same size do not fill the arena; otherwise takes a fresh copy.
char* ReplaceString(XmlArena& arena, char* stored, const char* text)
{
    if (text == nullptr) {
        return nullptr;
    }
    const std::size_t length = std::strlen(text);
    if (stored != nullptr && length <= std::strlen(stored)) {
        std::memmove(stored, text, length);
        stored[length] = '\0';
        return stored;
    }
    return arena.CopyString(text, length);
}

} // namespace

XmlElement* XmlElement::FirstChild(const char* name) const
{
    XmlElement* child = firstChild_;
    while (child != nullptr && !NameIs(child->name_, name)) {
        child = child->nextSibling_;
    }
    return child;
}

XmlElement* XmlElement::NextSibling(const char* name) const
{
    XmlElement* sibling = nextSibling_;
    while (sibling != nullptr && !NameIs(sibling->name_, name)) {
        sibling = sibling->nextSibling_;
    }
    return sibling;
}

const char* XmlElement::GetAttribute(const char* name) const
{
    if (name == nullptr) {
        return nullptr;
    }
    for (const XmlAttribute* attribute = firstAttribute_; attribute != nullptr;
         attribute = attribute->next_) {
        if (NameIs(attribute->name_, name)) {
            return attribute->value_;
        }
    }
    return nullptr;
}

const char* XmlElement::GetAttributeInt(const char* name, int* number) const
{
    const char* value = GetAttribute(name);
    if (value != nullptr && number != nullptr) {
        *number = ReadDecimal(value);
    }
    return value;
}

void XmlElement::AppendChild(XmlElement* child)
{
    if (child == nullptr || child == this) {
        return;
    }
    child->parent_ = this;
    if (firstChild_ == nullptr) {
        firstChild_ = child;
        return;
    }
    XmlElement* last = firstChild_;
    while (last->nextSibling_ != nullptr) {
        last = last->nextSibling_;
    }
    last->nextSibling_ = child;
}

void XmlElement::SetAttribute(const char* name, const char* value)
{
    if (name == nullptr || owner_ == nullptr) {
        return;
    }
    XmlAttribute* lastOfName = nullptr;
    XmlAttribute* last = nullptr;
    for (XmlAttribute* attribute = firstAttribute_; attribute != nullptr;
         attribute = attribute->next_) {
        if (NameIs(attribute->name_, name)) {
            lastOfName = attribute;
        }
        last = attribute;
    }
    if (lastOfName != nullptr) {
        lastOfName->value_ = ReplaceString(owner_->arena_, lastOfName->value_, value);
        return;
    }
    XmlAttribute* attribute = owner_->NewAttribute();
    if (attribute == nullptr) {
        return;
    }
    attribute->name_ = owner_->CopyString(name);
    attribute->value_ = owner_->CopyString(value);
    if (last == nullptr) {
        firstAttribute_ = attribute;
    } else {
        last->next_ = attribute;
    }
}

void XmlElement::SetAttributeInt(const char* name, int number)
{
    char digits[16] = {};
    std::to_chars(digits, digits + sizeof digits - 1, number);
    SetAttribute(name, digits);
}

void XmlElement::SetText(const char* text, bool isCData)
{
    if (owner_ == nullptr) {
        return;
    }
    isCData_ = isCData;
    text_ = ReplaceString(owner_->arena_, text_, text);
}

} // namespace kelpo
