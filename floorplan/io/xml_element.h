// A small non-validating XML reader: text in memory becomes a tree of
// elements with their attributes and text. The floor-plan library reads
// floor XML with it and the program reads all its XML files with it.
#pragma once

#include <string>
#include <vector>

// The text with the entity references the reader knows ("&amp;", "&lt;",
// "&gt;", "&quot;", "&apos;") read as their characters, as the reader reads
// an attribute value; any other "&" stays as it is.
std::string XmlDecodeEntities(const std::string& text);

// A node of the tree: a name and the links to parent, children and siblings.
// An element's attributes are chained through the sibling links.
class CXMLNode {
public:
    CXMLNode();
    CXMLNode(const CXMLNode&) = delete;
    CXMLNode& operator=(const CXMLNode&) = delete;
    // Deletes the children when it owns them.
    virtual ~CXMLNode();

    // The name itself without a buffer; else a copy into the buffer, which
    // must hold the name and its terminator.
    const char* GetName(char* buffer = nullptr) const;
    void SetName(const char* text);
    void AddChild(CXMLNode* child);
    void SetParent(CXMLNode* parent) { mpParent = parent; }
    void DeleteChildren();

    CXMLNode* GetParent() const { return mpParent; }
    CXMLNode* GetFirstChild() const { return mpFirstChild; }
    CXMLNode* GetNextSibling() const { return mpNext; }
    int GetChildCount() const { return mChildCount; }

    // Nodes made and nodes alive in this process (diagnostics only).
    static int CreatedCount();
    static int LiveCount();

protected:
    friend class CXMLElement;
    int mbOwnsChildren = 1;
    std::string mName;
    int mChildCount = 0;
    int mSerial = 0;
    CXMLNode* mpParent = nullptr;
    CXMLNode* mpFirstChild = nullptr;
    CXMLNode* mpLastChild = nullptr;
    CXMLNode* mpPrevious = nullptr;
    CXMLNode* mpNext = nullptr;
};

class CXMLAttribute : public CXMLNode {
public:
    CXMLAttribute() = default;
    // A copy of the text; length -1 takes the text's own length.
    void SetValue(const char* text, int length = -1);
    const char* GetValue() const { return mValue.c_str(); }

private:
    std::string mValue;
};

class CXMLElement : public CXMLNode {
public:
    // The tokenizer's states.
    enum State : int {
        kStart = 0, kOpened = 1, kTag = 2, kEndTag = 3, kContent = 5, kInstruction = 6,
        kComment = 7, kCData = 8, kExpectClose = 9, kComplete = 10, kError = 11,
    };
    // What the element turned out to be.
    enum Kind : int { kNone = 0, kElement = 1, kProcessing = 2, kCDataSection = 3, kCommentKind = 4 };
    // Elements nested deeper than this make the text a syntax error.
    static constexpr int kMaxDepth = 256;

    CXMLElement() = default;
    ~CXMLElement() override;

    // Parses one element with everything inside it from the read position,
    // which it advances; a null position starts at 0. False on a syntax
    // error, on text cut off before the element ends, on an empty text or a
    // position at or past its end.
    bool Parse(const char* text, int length, int* position);

    // The n-th child of that name (n >= 2), else the first; with n = 0 the
    // ancestors' children of that name are searched too, nearest first.
    CXMLElement* GetChild(const char* name, int n = 1);
    // All children without a name; else those of the name, carrying the
    // attribute (with exactly that value, when given).
    int CountChildren(const char* name = nullptr, const char* attributeName = nullptr,
                      const char* attributeValue = nullptr);
    using CXMLNode::GetChildCount;
    const char* GetAttribute(const char* name) const;
    bool AddAttribute(CXMLAttribute* attribute);

    const char* GetText() const { return mText.c_str(); }
    Kind GetKind() const { return mKind; }
    State GetState() const { return mState; }
    bool IsComplete() const { return mState == kComplete; }
    int GetSiblingPosition() const { return mSiblingPosition; }

private:
    // Feeds one character: the raw one for markup, the decoded one for text.
    void Feed(char raw, char decoded);
    void FeedTag(char raw, char decoded);
    void ReadChild();
    bool SplitAttributes();
    void Reset();
    void DeleteAttributes();
    // Advances the keyword match; true when the keyword completes.
    bool Match(const char* keyword, char raw, bool& matched);
    // The next character pair at the read position (entities decoded).
    void NextCharacter(char& raw, char& decoded);

    const char* mpText = nullptr;
    int mLength = 0;
    int* mpPosition = nullptr;
    int mOwnPosition = 0;
    int mDepth = 0;
    State mState = kStart;
    int mMatch = 0;
    bool mbTextStarted = false;
    bool mbBlankPending = false;
    bool mbInQuotes = false;
    bool mbNameComplete = false;
    Kind mKind = kNone;
    bool mbEndTag = false;
    int mSiblingPosition = 0;
    std::string mText;
    std::string mAttributeText;
    // Where the attribute text holds a double quote that a reference put
    // inside a quoted value: a character of the value, never its end.
    std::vector<std::size_t> mQuotedQuotes;
    CXMLAttribute* mpFirstAttribute = nullptr;
    CXMLAttribute* mpLastAttribute = nullptr;
};

// The first top-level element of the text with that tag name, as a new tree
// the caller owns; null when the text ends or fails to parse first.
CXMLElement* FindElement(const char* text, int length, const char* name);
