#pragma once
// The named variables of one drawing (or of one standard) with the
// interpreter's function table. Variables are kept in the order they were
// added, which is also the order of the file block; they are addressed by
// name (exact, case-sensitive, the first match in list order) or by index.
//
// lastError (LastError) holds the FormulaError code of the last operation:
// 0 success; 1 out of memory (also a formula too long to parse or a chain of
// references too deep to follow); 2 the variable is protected and force was
// not given, or division by zero during evaluation; 3 no variable of that
// name; 4 a variable of that name exists, or a typed name the formulas could
// never refer to; 5, 6, 7, 9 the new formula does not parse; from evaluation 8
// a circular reference, 9 a malformed formula, 10 a result that is not a
// finite number.
#include <QHash>
#include <QString>

#include <cstdint>
#include <deque>
#include <memory>
#include <unordered_map>
#include <vector>

#include "formula/FormulaProgram.h"
#include "formula/FormulaVariable.h"
#include "formula/FunctionTable.h"

namespace platform {
class BinaryReader;
class BinaryWriter;
} // namespace platform

class VariableList;
struct SpecStandardComponent;

class FormulaTable {
public:
    // Merge modes of Import, as the document passes the user's answer.
    static constexpr int MergeOverwrite = 7602; // a variable of the same name is replaced
    static constexpr int MergeRename = 7603;    // an incoming variable whose name is taken gets a new one
    static constexpr int MergeNothing = 7604;   // (any other value) nothing is merged

    // Where a new name comes from. A typed name is refused (error 4) when it
    // contains "if", "then" or "else": formulas cut such a name apart and can
    // never refer to it. Names read from a drawing, and names put back by
    // undo, are kept as they are.
    enum class NameOrigin { Typed, Stored };

    // An empty table with the 15 functions registered.
    FormulaTable();
    ~FormulaTable();
    FormulaTable(const FormulaTable&) = delete;
    FormulaTable& operator=(const FormulaTable&) = delete;

    // Functions.
    void InitFunctions();
    // A length of -1 stores the name's length plus one; beyond 30 entries a
    // registration is ignored.
    void AddFunction(const QString& name, int id, int length = -1);
    const FunctionTable& Functions() const { return functions_; }

    // Deletes every variable; the function table stays.
    void Clear();
    // Adds PI, E, A, B, H and MatThick (protected); false at the first
    // failure (then lastError is 4).
    bool AddDefaultVariables();

    // Appends a variable and evaluates it. False with lastError 4 when the
    // name is taken (or refused, see NameOrigin); otherwise true, also when
    // the formula does not parse (the variable is then not valid), with
    // lastError the outcome of its evaluation.
    bool AddVariable(const QString& name, const QString& formula, const QString& description,
                     int category, bool deletable, NameOrigin origin = NameOrigin::Typed);
    // False with lastError 3 when absent, 2 when protected and not forced.
    bool DeleteVariable(const QString& name, bool force);
    // Re-parses the named variable. False with lastError 3 when absent, or
    // with the parse error (5, 6, 7, 9): the variable then keeps the new text,
    // its description and its valid flag. Otherwise true; the description is
    // taken and the variable marked valid when the formula parsed, and
    // lastError is the outcome of its evaluation.
    bool SetFormula(const QString& name, const QString& formula, const QString& description);
    // Re-parses the n-th variable; nothing else changes.
    void SetFormulaAt(int n, const QString& formula);
    // Gives the n-th variable a new name without looking for clashes;
    // formulas that use the old name are not touched. False with lastError 4
    // for a typed name containing "if", "then" or "else", 3 for a bad index.
    bool RenameVariable(int n, const QString& name, NameOrigin origin = NameOrigin::Typed);
    void SetUsed(int n, bool used);
    bool IsUsed(int n) const;

    // Reading by index, 0 <= n < GetCount() (outside: empty, 0 or false).
    int GetCount() const { return static_cast<int>(variables_.size()); }
    QString GetName(int n) const;
    QString GetFormula(int n) const;
    QString GetDescription(int n) const;
    int GetCategory(int n) const;
    bool IsDeletable(int n) const;
    bool IsValid(int n) const;
    // Read-only views: every change goes through the table, which keeps the
    // values of the variables that use a changed one current.
    const FormulaVariable* VariableAt(int n) const;

    // Sets lastError to 0.
    const FormulaVariable* FindVariable(const QString& name);
    int FindIndex(const QString& name) const;
    bool Exists(const QString& name) const { return FindFirst(name) != nullptr; }

    // The value of the n-th variable; its failure stays in its own error.
    double GetValue(int n);
    // The value of the variable of that name, or of the text as a formula
    // (a name that is no variable counts as 0); lastError holds the outcome.
    // A formula text is evaluated on its own and never touches a variable.
    double Evaluate(const QString& text);
    // True when the named variable's formula text names it, directly or
    // through the formula texts of the variables it names (comments count).
    bool HasCircularReference(const QString& name);

    // For the formula edit control: reading from the start and skipping white
    // space, the characters read (blanks included) when the non-blank ones
    // last formed the name of a variable; 0 when they never did.
    int LeadingVariableLength(const QString& text) const;
    static bool IsNameChar(QChar c); // white space, 0-9, A-Z, a-z, _

    // The value cache: each variable keeps its last value for as long as no
    // formula, name or variable of the table changes.
    bool LookupCachedValue(const QString& name, double& value) const;
    void StoreCachedValue(const QString& name, double value);
    void RemoveCachedValue(const QString& name);
    // Evaluates the named variable and keeps its value.
    void Refresh(const QString& name);

    // The variable block of the drawing file. Save with n = -1 writes the
    // whole block, with n >= 0 the n-th record alone (false for a bad index).
    [[nodiscard]] bool Save(platform::BinaryWriter& out, int n = -1) const;
    // Reads one block and adds its variables (a name already present is
    // skipped). False, adding nothing, when the block is damaged; the reader
    // then holds the reason.
    [[nodiscard]] bool Load(platform::BinaryReader& in);
    // Reads one block and merges its variables of category 2 and above in
    // the given mode; with MergeRename the pairs (incoming name, name given)
    // are appended to renames and the merged formulas follow the new names.
    // A component's (variable, expression) pairs override incoming formulas.
    // False, merging nothing, when the block is damaged.
    [[nodiscard]] bool Import(platform::BinaryReader& in, const QString& prefix, int mode,
                VariableList& renames, const SpecStandardComponent* component);

    // Steps over one block without a table, checking it as Load does; false
    // when it is damaged (the reader holds the reason).
    [[nodiscard]] static bool SkipBlock(platform::BinaryReader& in);

    int LastError() const { return lastError_; }

private:
    friend class FormulaEvaluator;

    struct VariableRecord;
    [[nodiscard]] static bool ReadBlock(platform::BinaryReader& in, std::vector<VariableRecord>& records);
    // Import in MergeOverwrite mode; returns the last variable appended.
    FormulaVariable* MergeOverwriting(const std::vector<VariableRecord>& records);

    FormulaVariable* FindFirst(const QString& name) const;
    FormulaVariable* MutableAt(int n) const;
    // Appends and parses a variable without evaluating it; lastError is the
    // parse error. The caller has made sure the name is free.
    FormulaVariable* AppendVariable(const QString& name, const QString& formula,
                                    const QString& description, int category, bool deletable);
    // SetFormula on a found variable, without the evaluation.
    bool Reparse(FormulaVariable& v, const QString& formula, const QString& description);
    void Refresh(FormulaVariable& v);
    double EvaluateVariable(FormulaVariable& v);
    void RebuildNameIndex();

    // Which values are current. A change marks the changed variable stale
    // and, through users_, every variable and formula text that uses it,
    // directly or not; a stale variable's users are stale already, so the
    // marking stops there. A change of names (an added, deleted or renamed
    // variable) makes the formulas look their names up again.
    void Register(FormulaVariable& v);   // v's formula names its references
    void Unregister(FormulaVariable& v); // before v's formula changes or v goes
    // Points a variable of the table at the users of its name.
    void AttachUsers(FormulaVariable& v);
    // Forgets the users list of a name that has no users and no variable.
    void DropUsersIfUnused(const QString& name);
    void Invalidate(FormulaVariable& v);
    void InvalidateUsers(const QString& name);
    void InvalidateUsers(FormulaUsers* users);
    void NextNamesGeneration();
    void EverythingChanged();

    // Gives a variable of the table a memo slot, and takes it back.
    void AttachMemo(FormulaVariable& v);
    void ReleaseMemo(FormulaVariable& v);
    void ClearTextFormulas();

    FunctionTable functions_;
    std::deque<FormulaMemo> memos_;
    std::vector<FormulaMemo*> freeMemos_;
    std::vector<std::unique_ptr<FormulaVariable>> variables_;
    QHash<QString, FormulaVariable*> byName_; // the first variable of each name
    bool namesMayRepeat_ = false;            // a rename may have made two alike
    int longestName_ = 0;
    int lastError_ = 0;

    uint64_t generation_ = 1; // a memo of another generation is stale
    uint64_t namesGeneration_ = 1;
    struct QStringHash {
        size_t operator()(const QString& s) const { return qHash(s); }
    };
    // Per name, the variables and formula texts whose formulas name it (a
    // node-based map: variables point at the lists of their names).
    std::unordered_map<QString, FormulaUsers, QStringHash> users_;
    std::vector<FormulaUsers*> pendingUsers_; // the stack of InvalidateUsers, any size
    // The memos the last walk of InvalidateUsers marked, when every memo it
    // met was current or marked by that walk: as long as the users lists and
    // memo slots stay as they are and all these memos are current again, a
    // walk from the same list marks exactly these, so it need not follow the
    // lists (MarkReach).
    FormulaUsers* reachRoot_ = nullptr;
    std::vector<FormulaMemo*> reach_;
    uint64_t usersVersion_ = 1; // changes with every users list and memo slot
    uint64_t reachVersion_ = 0; // the usersVersion_ reach_ was found in
    // What a walk writes into the memos it marks: stale (never a generation),
    // and told apart from the memos that were stale before the walk.
    uint64_t walkMark_ = uint64_t(1) << 63;
    void UsersChanged() { ++usersVersion_; }
    bool MarkReach(uint64_t current);
    // The evaluator's frames and values, kept for the next evaluation.
    std::vector<FormulaFrame> frames_;
    std::vector<double> values_;

    // Formula texts evaluated by Evaluate, parsed once and kept while they
    // are in use (a drawing's node formulas fit). When the cache is full,
    // the texts not evaluated since the last sweep go (SweepTextFormulas).
    struct TextFormula {
        explicit TextFormula(const QString& text, const FunctionTable* functions);
        FormulaVariable variable; // keeps its value itself, beside the text
        bool used = true;         // evaluated since the last sweep
    };
    std::unordered_map<QString, TextFormula, QStringHash> textFormulas_;
    void SweepTextFormulas();
};
