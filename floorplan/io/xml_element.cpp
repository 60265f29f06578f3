#include "xml_element.h"

#include <cctype>
#include <cstring>

namespace {

int gCreatedNodes = 0;
int gLiveNodes = 0;

bool IsBlank(char c)
{
    const auto u = static_cast<unsigned char>(c);
    return std::isspace(u) && !std::isalnum(u);
}

// The longest entity reference the reader looks at.
constexpr std::size_t kMaxEntity = 32;

// The character of a known entity reference, or 0.
char DecodeEntity(const std::string& entity)
{
    static const struct {
        const char* text;
        char value;
    } entities[] = {{"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}, {"&apos;", '\''}};
    for (const auto& e : entities)
        if (entity == e.text)
            return e.value;
    return 0;
}

// The character of the known entity reference whose '&' is at `at`, with
// `end` just after it; 0 (and `end` untouched) when there is none.
char EntityAt(const char* text, int length, int at, int& end)
{
    std::string entity = "&";
    int scan = at + 1;
    while (scan < length && entity.size() < kMaxEntity) {
        const char next = text[scan++];
        entity += next;
        if (next == ';' || next == ' ')
            break;
    }
    const char value = DecodeEntity(entity);
    if (value)
        end = scan;
    return value;
}

}  // namespace

std::string XmlDecodeEntities(const std::string& text)
{
    std::string plain;
    plain.reserve(text.size());
    const int length = static_cast<int>(text.size());
    for (int i = 0; i < length;) {
        if (text[i] == '&')
            if (const char value = EntityAt(text.data(), length, i, i)) {
                plain += value;
                continue;
            }
        plain += text[i++];
    }
    return plain;
}

// ---- CXMLNode ----

CXMLNode::CXMLNode() : mSerial(++gCreatedNodes)
{
    ++gLiveNodes;
}

CXMLNode::~CXMLNode()
{
    if (mbOwnsChildren)
        DeleteChildren();
    --gLiveNodes;
}

int CXMLNode::CreatedCount() { return gCreatedNodes; }
int CXMLNode::LiveCount() { return gLiveNodes; }

const char* CXMLNode::GetName(char* buffer) const
{
    if (!buffer)
        return mName.c_str();
    std::memcpy(buffer, mName.c_str(), mName.size() + 1);
    return buffer;
}

void CXMLNode::SetName(const char* text)
{
    mName = text ? text : "";
}

void CXMLNode::AddChild(CXMLNode* child)
{
    if (!child)
        return;
    child->mpPrevious = mpLastChild;
    child->mpNext = nullptr;
    if (mpLastChild)
        mpLastChild->mpNext = child;
    else
        mpFirstChild = child;
    mpLastChild = child;
    ++mChildCount;
}

void CXMLNode::DeleteChildren()
{
    // From the end, each unlinked before it goes.
    while (mpLastChild) {
        CXMLNode* child = mpLastChild;
        mpLastChild = child->mpPrevious;
        delete child;
    }
    mpFirstChild = nullptr;
    mChildCount = 0;
}

// ---- CXMLAttribute ----

void CXMLAttribute::SetValue(const char* text, int length)
{
    if (!text) {
        mValue.clear();
        return;
    }
    mValue.assign(text, length < 0 ? std::strlen(text) : static_cast<std::size_t>(length));
}

// ---- CXMLElement ----

CXMLElement::~CXMLElement()
{
    DeleteAttributes();
}

void CXMLElement::DeleteAttributes()
{
    while (mpLastAttribute) {
        CXMLAttribute* attribute = mpLastAttribute;
        mpLastAttribute = static_cast<CXMLAttribute*>(attribute->mpPrevious);
        delete attribute;
    }
    mpFirstAttribute = nullptr;
}

bool CXMLElement::AddAttribute(CXMLAttribute* attribute)
{
    attribute->mpPrevious = mpLastAttribute;
    attribute->mpNext = nullptr;
    if (mpLastAttribute)
        mpLastAttribute->mpNext = attribute;
    else
        mpFirstAttribute = attribute;
    mpLastAttribute = attribute;
    return true;
}

const char* CXMLElement::GetAttribute(const char* name) const
{
    if (!name)
        return nullptr;
    for (CXMLNode* a = mpFirstAttribute; a; a = a->mpNext)
        if (a->mName == name)
            return static_cast<CXMLAttribute*>(a)->GetValue();
    return nullptr;
}

CXMLElement* CXMLElement::GetChild(const char* name, int n)
{
    if (!name)
        return nullptr;
    int seen = 0;
    for (CXMLNode* c = mpFirstChild; c; c = c->mpNext) {
        if (c->mName != name)
            continue;
        if (++seen >= n)
            return static_cast<CXMLElement*>(c);
    }
    if (n == 0)
        for (CXMLNode* up = mpParent; up; up = up->mpParent)
            if (CXMLElement* found = static_cast<CXMLElement*>(up)->GetChild(name, 1))
                return found;
    return nullptr;
}

int CXMLElement::CountChildren(const char* name, const char* attributeName,
                               const char* attributeValue)
{
    if (!name)
        return mChildCount;
    int count = 0;
    for (CXMLNode* c = mpFirstChild; c; c = c->mpNext) {
        if (c->mName != name)
            continue;
        if (attributeName) {
            const char* value = static_cast<CXMLElement*>(c)->GetAttribute(attributeName);
            if (!value || (attributeValue && std::strcmp(value, attributeValue) != 0))
                continue;
        }
        ++count;
    }
    return count;
}

void CXMLElement::Reset()
{
    DeleteAttributes();
    mName.clear();
    mText.clear();
    mAttributeText.clear();
    mQuotedQuotes.clear();
    mState = kStart;
    mKind = kNone;
    mMatch = 0;
    mbTextStarted = mbBlankPending = mbInQuotes = mbNameComplete = false;
}

void CXMLElement::NextCharacter(char& raw, char& decoded)
{
    int& pos = *mpPosition;
    const char c = mpText[pos++];
    raw = decoded = c;
    if (c != '&' || mState == kCData)
        return;
    if (const char value = EntityAt(mpText, mLength, pos - 1, pos))
        decoded = value;
    // An unknown reference reads as plain text from just after the '&'.
}

bool CXMLElement::Match(const char* keyword, char raw, bool& matched)
{
    const int last = static_cast<int>(std::strlen(keyword)) - 1;
    matched = mMatch <= last && raw == keyword[mMatch];
    if (!matched)
        return false;
    if (mMatch == last)
        return true;
    ++mMatch;
    return false;
}

void CXMLElement::Feed(char raw, char decoded)
{
    bool matched = false;
    switch (mState) {
    case kStart:
        if (raw == '<')
            mState = kOpened, mMatch = 0;
        else if (!IsBlank(raw))
            mMatch = 0;
        break;
    case kOpened:
        if (Match("![CDATA[", raw, matched)) {
            mState = kCData, mKind = kCDataSection, mMatch = 0;
        } else if (!matched && Match("!--", raw, matched)) {
            mState = kComment, mKind = kCommentKind, mMatch = 0;
        } else if (matched) {
            // a keyword continues
        } else if (raw == '/') {
            if (mKind == kNone)
                mbEndTag = true;
            mState = kEndTag, mKind = kElement, mMatch = 0;
        } else if (raw == '?') {
            mState = kInstruction, mKind = kProcessing, mMatch = 0;
        } else {
            mState = kTag, mKind = kElement, mMatch = 0;
            mName += raw;
        }
        break;
    case kTag:
        FeedTag(raw, decoded);
        break;
    case kEndTag:
        if (raw == '>')
            mState = kComplete, mMatch = 0;
        else if (mbEndTag)
            mName += raw;
        break;
    case kContent:
        if (IsBlank(raw)) {
            mbBlankPending = true;
        } else if (raw == '<') {
            mbBlankPending = false;
            ReadChild();
        } else {
            if (mbBlankPending) {
                mbBlankPending = false;
                if (mbTextStarted)
                    mText += ' ';
            }
            mText += decoded;
            mbTextStarted = true;
        }
        break;
    case kInstruction:
        if (raw == '?')
            mState = kExpectClose, mMatch = 0;
        else
            mText += decoded;
        break;
    case kComment:
        if (Match("--", raw, matched))
            Reset();
        else if (!matched)
            mText += decoded, mMatch = 0;
        break;
    case kCData:
        if (Match("]]", raw, matched))
            mState = kExpectClose, mMatch = 0;
        else if (!matched)
            mText += decoded, mMatch = 0;
        break;
    case kExpectClose:
        if (raw == '>')
            mState = kComplete, mMatch = 0;
        break;
    default:
        mState = kError;
        break;
    }
}

void CXMLElement::FeedTag(char raw, char decoded)
{
    if (!mbNameComplete && IsBlank(raw)) {
        mbNameComplete = true;
        return;
    }
    if (raw == '"' && decoded == '"')
        mbInQuotes = !mbInQuotes;
    if (mbInQuotes) {
        if (decoded == '"' && raw != '"')
            mQuotedQuotes.push_back(mAttributeText.size());
        mAttributeText += decoded;
        mbBlankPending = false;
    } else if (raw == '/') {
        mState = kExpectClose, mMatch = 0;
    } else if (raw == '>') {
        mState = kContent, mMatch = 0;
    } else if (IsBlank(raw)) {
        if (!mbBlankPending) {
            mbBlankPending = true;
            if (mbNameComplete)
                mAttributeText += ' ';
        }
    } else if (!mbNameComplete) {
        mName += decoded;
        mbBlankPending = false;
    } else {
        mAttributeText += decoded;
        mbBlankPending = false;
    }
}

void CXMLElement::ReadChild()
{
    if (mDepth + 1 >= kMaxDepth) {
        mState = kError;
        return;
    }
    auto* child = new CXMLElement();
    child->mDepth = mDepth + 1;
    --*mpPosition;  // the child reads the '<' itself
    const bool ok = child->Parse(mpText, mLength, mpPosition);
    if (!ok || child->mState == kError) {
        delete child;
        mState = kError;
        return;
    }
    if (child->mbEndTag) {
        mState = child->mName == mName ? kComplete : kError;
        delete child;
        return;
    }
    if (child->mKind == kCDataSection) {
        mText += child->mText;
        delete child;
        return;
    }
    AddChild(child);
    child->SetParent(this);
    child->mSiblingPosition = mChildCount;
}

bool CXMLElement::Parse(const char* text, int length, int* position)
{
    if (!position) {
        mOwnPosition = 0;
        position = &mOwnPosition;
    }
    if (!text || length < 1 || *position >= length || *position < 0)
        return false;
    mpText = text;
    mLength = length;
    mpPosition = position;
    while (*mpPosition < mLength) {
        char raw = 0, decoded = 0;
        NextCharacter(raw, decoded);
        Feed(raw, decoded);
        if (mState == kError)
            return false;
        if (mState == kComplete) {
            if (!SplitAttributes()) {
                mState = kError;
                return false;
            }
            return true;
        }
    }
    // Cut off by the end of the text: nothing partial is taken.
    mState = kError;
    return false;
}

bool CXMLElement::SplitAttributes()
{
    DeleteAttributes();
    std::string name, value;
    bool inValue = false;
    int quotes = 0;
    auto quoted = mQuotedQuotes.begin();
    for (std::size_t at = 0; at < mAttributeText.size(); ++at) {
        const char c = mAttributeText[at];
        // A referenced quote inside a value is kept as the value's own.
        const bool isQuotedQuote = quoted != mQuotedQuotes.end() && *quoted == at;
        if (isQuotedQuote)
            ++quoted;
        if (!inValue) {
            if (IsBlank(c))
                continue;
            if (c == '=')
                inValue = true;
            else
                name += c;
            continue;
        }
        if (IsBlank(c) && quotes == 0)
            continue;
        if (c == '"' && !isQuotedQuote) {
            if (++quotes == 2) {
                auto* attribute = new CXMLAttribute();
                attribute->SetName(name.c_str());
                attribute->SetValue(value.c_str(), static_cast<int>(value.size()));
                AddAttribute(attribute);
                name.clear();
                value.clear();
                quotes = 0;
                inValue = false;
            }
            continue;
        }
        value += c;
    }
    return true;
}

CXMLElement* FindElement(const char* text, int length, const char* name)
{
    int position = 0;
    while (text && name && position < length) {
        auto* candidate = new CXMLElement();
        if (!candidate->Parse(text, length, &position)) {
            delete candidate;
            return nullptr;
        }
        if (std::strcmp(candidate->GetName(), name) == 0)
            return candidate;
        delete candidate;
    }
    return nullptr;
}
