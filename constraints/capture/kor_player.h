// Replays command text into a model: reads statements from a file (one a
// line) or from a string (split at line feeds and semicolons), splits each
// into target name, command word and arguments, and carries it out through
// the model's create and set operations. Derived players (the floor's) extend
// Execute. Keeps no state outside the object, so players may nest.
#pragma once

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "kor_filebuf.h"
#include "kor_types.h"

class KorModel;
class KorNamesManager;

class KorPlayer {
public:
    // Statement kinds left by Parse.
    enum Kind : int { kCommand = 0, kNamedCommand = 1, kNotStatement = 2 };

    explicit KorPlayer(KorModel* model);
    KorPlayer(const KorPlayer&) = delete;
    KorPlayer& operator=(const KorPlayer&) = delete;
    virtual ~KorPlayer();

    // File mode: opens the file for reading.
    virtual bool init(const char* path);
    // String mode: copies the text; false for empty text.
    bool init_string(const std::string& text);
    // The next statement, writable, or null when the source is exhausted.
    char* getline();
    // Fills kind, target, command word and arguments; false for a comment
    // and for something that is not a statement.
    bool Parse(char* statement);
    bool SetOpCode();
    // Carries out the parsed statement; true when handled (also when skipped
    // for its number of arguments), false when not this player's.
    virtual bool Execute();
    void play();
    virtual bool close();

    // Skips leading and cuts trailing white space; never null.
    static char* trimwhitespace(char* text);

    struct OpNameComp {
        bool operator()(const char* a, const char* b) const { return std::strcmp(a, b) < 0; }
    };
    static void RemoveOpCodeMap();

    // The parsed statement, as Parse left it.
    int GetKind() const { return mKind; }
    KOREntityType GetOpCode() const { return mOpCode; }
    const char* GetTarget() const { return mpTarget; }
    const char* GetCommandWord() const { return mpCommand; }
    const std::vector<char*>& GetArguments() const { return mArguments; }
    // The piece that ended an empty argument list when it begins with a
    // relation operator ("=", ">", "<"): a value text such as ">=5.00".
    const char* GetRelationText() const { return mpRelation; }

    // A name that command text can write back and refer to: not empty, no
    // blank, ',', ')', ';', '=' or other delimiter, not a number.
    static bool IsWritableName(const char* name);

protected:
    // The handle bound to an argument's name, 0 when unbound.
    KorHandle HandleOf(const char* name) const;
    // Binds the target name to a new object's handle; a name that cannot be
    // written back leaves the object its generated name, and a name held by
    // another object moves to the new one (the old holder gets a generated one).
    void BindTarget(KorHandle handle, KOREntityType type);

    KorModel* mpModel;
    KorNamesManager* mpNames;
    KorFilebuf mFile;
    std::string mBuffer;
    std::size_t mLength = 0;
    char* mpStatement = nullptr;
    char* mpNext = nullptr;
    int mKind = kNotStatement;
    KOREntityType mOpCode = KOR_EMPTY;
    char* mpTarget = nullptr;
    char* mpCommand = nullptr;
    std::vector<char*> mArguments;
    char* mpRelation = nullptr;

    static const char* const mDelimit;
    static std::map<const char*, KOREntityType, OpNameComp> mOpCodeMap;

private:
    bool ExecuteCommand();
    bool ExecuteNamed();
    bool ExecuteNode();
    bool ExecuteValue();
    bool ExecuteWeight();
};
