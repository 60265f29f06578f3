#include "kor_player.h"

#include "kor_model.h"
#include "kor_names_manager.h"
#include "kor_number_text.h"
#include "kor_object.h"

namespace {

// Statement delimiters of string mode: line feed and semicolon.
const char kDelimiters[] = "\n;";

// Character classes of the C locale, for any byte.
bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsAlnum(char c)
{
    const auto u = static_cast<unsigned char>(c);
    return (u >= '0' && u <= '9') || (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z');
}

// A statement delimiter of string mode (mDelimit).
bool IsDelimiter(char c)
{
    return c != 0 && std::strchr(kDelimiters, c) != nullptr;
}

// strtok over one statement, with its position held here instead of in a
// hidden static.
class Tokens {
public:
    explicit Tokens(char* text) : mpPos(text) {}
    char* next(const char* delimiters)
    {
        if (mpPos == nullptr)
            return nullptr;
        mpPos += std::strspn(mpPos, delimiters);
        if (*mpPos == 0) {
            mpPos = nullptr;
            return nullptr;
        }
        char* token = mpPos;
        mpPos += std::strcspn(mpPos, delimiters);
        if (*mpPos != 0)
            *mpPos++ = 0;
        else
            mpPos = nullptr;
        return token;
    }

private:
    char* mpPos;
};

} // namespace

const char* const KorPlayer::mDelimit = kDelimiters;
std::map<const char*, KOREntityType, KorPlayer::OpNameComp> KorPlayer::mOpCodeMap;

KorPlayer::KorPlayer(KorModel* model)
    : mpModel(model), mpNames(model != nullptr ? &model->GetNamesManager() : nullptr)
{
    if (mOpCodeMap.empty())
        for (int type = 0; type < KOR_NUM_ENTITY_TYPES; ++type)
            mOpCodeMap.emplace(KorNamesManager::TypePatterns[type],
                               static_cast<KOREntityType>(type));
}

KorPlayer::~KorPlayer()
{
    mFile.close();
}

void KorPlayer::RemoveOpCodeMap()
{
    mOpCodeMap.clear();
}

bool KorPlayer::init(const char* path)
{
    mBuffer.clear();
    mLength = 0;
    mpStatement = mpNext = nullptr;
    return mFile.open(path, KorFilebuf::kRead);
}

bool KorPlayer::init_string(const std::string& text)
{
    mBuffer = text;
    mLength = mBuffer.size();
    mpStatement = mpNext = nullptr;
    return mLength != 0;
}

char* KorPlayer::getline()
{
    if (mLength == 0) {
        // File mode: empty lines (CR LF files have them) are skipped; only the
        // end of the file ends the playback.
        for (;;) {
            mBuffer.clear();
            bool atEnd = false;
            if (mFile.getline(mBuffer, &atEnd) > 0)
                return mBuffer.data();
            if (atEnd)
                return nullptr;
        }
    }
    char* const text = mBuffer.data();
    char* const end = text + mLength;
    char* start = mpStatement == nullptr ? text : mpNext;
    if (start == nullptr || start >= end)
        return nullptr;
    char* delimiter = start;
    while (delimiter < end && !IsDelimiter(*delimiter))
        ++delimiter;
    if (delimiter < end) {
        *delimiter++ = 0;
        while (delimiter < end && IsDelimiter(*delimiter))
            ++delimiter;
        mpNext = delimiter;
    } else {
        mpNext = nullptr;
    }
    mpStatement = start;
    const std::size_t length = std::strlen(start);
    if (length > 0 && IsSpace(start[length - 1]))
        start[length - 1] = 0;
    return start;
}

char* KorPlayer::trimwhitespace(char* text)
{
    if (text == nullptr)
        return nullptr;
    while (IsSpace(*text))
        ++text;
    char* end = text + std::strlen(text);
    while (end > text && IsSpace(end[-1]))
        --end;
    *end = 0;
    return text;
}

bool KorPlayer::Parse(char* statement)
{
    mKind = kNotStatement;
    mpTarget = mpCommand = mpRelation = nullptr;
    mArguments.clear();
    if (statement == nullptr)
        return false;

    // Only the first "/" is examined.
    if (char* slash = std::strchr(statement, '/'); slash != nullptr && slash[1] == '/') {
        if (slash == statement)
            return false;
        *slash = 0;
    }

    Tokens tokens(statement);
    if (std::strchr(statement, '=') != nullptr) {
        char* target = tokens.next("=");
        mpTarget = target != nullptr ? trimwhitespace(target) : nullptr;
        mpCommand = tokens.next("=(");
        mKind = mpTarget != nullptr && mpCommand != nullptr ? kNamedCommand : kNotStatement;
    } else {
        char* command = tokens.next(" (");
        mpCommand = command != nullptr ? trimwhitespace(command) : nullptr;
        mKind = mpCommand != nullptr ? kCommand : kNotStatement;
    }
    if (mKind == kNotStatement)
        return false;

    while (char* piece = tokens.next(" ,)\n")) {
        if (*piece != '-' && !IsAlnum(*piece)) {
            if (mArguments.empty() && std::strchr("=<>", *piece) != nullptr)
                mpRelation = piece;
            break;
        }
        mArguments.push_back(piece);
    }
    return true;
}

bool KorPlayer::SetOpCode()
{
    if (mpCommand == nullptr)
        return false;
    const auto found = mOpCodeMap.find(mpCommand);
    if (found == mOpCodeMap.end())
        return false;
    mOpCode = found->second;
    return true;
}

bool KorPlayer::Execute()
{
    if (mpModel == nullptr || !SetOpCode())
        return false;
    if (mKind == kCommand)
        return ExecuteCommand();
    if (mKind == kNamedCommand)
        return ExecuteNamed();
    return false;
}

void KorPlayer::play()
{
    while (char* statement = getline())
        if (Parse(statement))
            Execute();
}

bool KorPlayer::close()
{
    if (mLength != 0)
        return true;
    return mFile.close();
}

bool KorPlayer::IsWritableName(const char* name)
{
    if (name == nullptr || (*name != '-' && !IsAlnum(*name)))
        return false;
    for (const char* c = name; *c != 0; ++c) {
        const auto u = static_cast<unsigned char>(*c);
        if (u <= ' ' || u == 0x7F || std::strchr(",);=", *c) != nullptr)
            return false;
    }
    // A comment mark would cut the statement that writes the name.
    if (std::strstr(name, "//") != nullptr)
        return false;
    // A number would be read as a value, not as a name.
    double number = 0.0;
    return !KorParseFinite(name, number);
}

KorHandle KorPlayer::HandleOf(const char* name) const
{
    return mpNames != nullptr ? mpNames->GetObjectHandle(name) : 0;
}

void KorPlayer::BindTarget(KorHandle handle, KOREntityType type)
{
    if (mpNames == nullptr || !IsWritableName(mpTarget))
        return;
    const std::string name(mpTarget);
    const KorHandle holder = mpNames->GetObjectHandle(name, 0);
    if (holder == handle)
        return;
    if (holder != 0) {
        // One name, one object: the earlier holder draws a generated name.
        const KorObject* old = mpNames->GetObjectAddress(holder);
        const KOREntityType oldType = old != nullptr ? old->GetType() : type;
        std::string fresh = KorNamesManager::newName(oldType);
        while (mpNames->GetObjectHandle(fresh, 0) != 0)
            fresh = KorNamesManager::newName(oldType);
        mpNames->GetObjectHandle(fresh, holder);
    }
    mpNames->GetObjectHandle(name, handle);
}

bool KorPlayer::ExecuteCommand()
{
    if (mOpCode == KOR_RESOLVE) {
        mpModel->Resolve();
        return true;
    }
    if (mOpCode == KOR_DELETE && !mArguments.empty()) {
        mpModel->RemoveObject(HandleOf(mArguments[0]));
        return true;
    }
    return false;
}

bool KorPlayer::ExecuteNamed()
{
    const std::size_t n = mArguments.size();
    const KorHandle a = n > 0 ? HandleOf(mArguments[0]) : 0;
    const KorHandle b = n > 1 ? HandleOf(mArguments[1]) : 0;
    const KorHandle c = n > 2 ? HandleOf(mArguments[2]) : 0;
    KorHandle created = 0;
    switch (mOpCode) {
    case KOR_COINCIDENT:
    case KOR_COLINEAR:
    case KOR_PARALLEL:
    case KOR_TANGENT:
    case KOR_PERPENDICULAR:
        if (n == 2)
            created = mpModel->CreateConstraint(mOpCode, a, b, 0, 0);
        break;
    case KOR_VERTICAL:
    case KOR_HORIZONTAL:
    case KOR_UNMOVABLE:
        if (n >= 1)
            created = mpModel->CreateConstraint(mOpCode, a, 0, 0, 0);
        break;
    case KOR_DISTANCE:
        if (n == 1 || n == 2)
            created = mpModel->CreateDistance(a, b, KOR_DISTANCE, 0);
        break;
    case KOR_NSDISTANCE:
    case KOR_SSDISTANCE:
    case KOR_VERTICAL_DISTANCE:
    case KOR_HORIZONTAL_DISTANCE:
        if (n == 2)
            created = mpModel->CreateDistance(a, b, mOpCode, 0);
        break;
    case KOR_RADIUS:
        if (n >= 1)
            created = mpModel->CreateRadial(a, 0);
        break;
    case KOR_ANGLE:
        if (n == 2)
            created = mpModel->CreateAngular(a, b, 0, 0, 0);
        else if (n == 1)
            created = mpModel->CreateAngular(a, 0);
        break;
    case KOR_SYMMETRY:
        if (n == 3)
            created = mpModel->CreateConstraint(KOR_SYMMETRY, a, b, c, 0);
        break;
    case KOR_NODE:
        return ExecuteNode();
    case KOR_SEGMENT:
        if (n == 2)
            created = mpModel->CreateSegment(a, b);
        break;
    case KOR_CIRCLE:
        if (n == 2)
            created = mpModel->CreateCircle(a, b);
        break;
    case KOR_ARC:
        if (n == 3)
            created = mpModel->CreateArc(a, b, c);
        break;
    case KOR_VALUE:
        return ExecuteValue();
    case KOR_WEIGHT:
        return ExecuteWeight();
    default:
        return false;
    }
    if (created != 0)
        BindTarget(created, mOpCode);
    return true;
}

bool KorPlayer::ExecuteNode()
{
    double x = 0.0;
    double y = 0.0;
    // Only whole, finite numbers: "12x", "inf" or "1e999" skip the statement.
    if (mArguments.size() != 2 || !KorParseFinite(mArguments[0], x)
        || !KorParseFinite(mArguments[1], y))
        return true;
    const KorHandle created = mpModel->CreateNode(x, y, nullptr);
    if (created != 0)
        BindTarget(created, KOR_NODE);
    return true;
}

bool KorPlayer::ExecuteValue()
{
    // A bound or a range is written with its operator in front; it is read
    // back too, or a saved range would be lost on replay.
    const char* text = !mArguments.empty() ? mArguments[0] : mpRelation;
    if (text != nullptr)
        mpModel->SetDimensionValue(HandleOf(mpTarget), std::string(text));
    return true;
}

bool KorPlayer::ExecuteWeight()
{
    int weight = 0;
    if (!mArguments.empty() && KorParseInt(mArguments[0], weight))
        mpModel->SetWeight(HandleOf(mpTarget), weight);
    return true;
}
