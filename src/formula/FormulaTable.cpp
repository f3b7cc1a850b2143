#include "formula/FormulaTable.h"

#include "formula/FormulaError.h"
#include "formula/FormulaEvaluator.h"
#include "formula/FormulaVariable.h"
#include "formula/VariableList.h"

#include <algorithm>

namespace {

// The name under which a formula text is evaluated.
const QString kTemporaryName = QStringLiteral("MorvekXPtmpVariables__________________");
// Parsed formula texts kept for Evaluate, beyond the node formulas of any
// drawing.
constexpr size_t kMaxTextFormulas = size_t(1) << 17;

struct DefaultVariable {
    const char* name;
    const char* formula;
    int category;
};

constexpr DefaultVariable kDefaults[] = {
    {"PI", "3.1415926535897932384626433832795", 1},
    {"E", "2.71", 1},
    {"A", "200", 0},
    {"B", "120", 0},
    {"H", "180", 0},
    {"MatThick", "3", 0},
};

// Formulas cut a name apart at "if", "then" and "else" (lower case).
bool ContainsKeyword(const QString& name)
{
    return name.contains(u"if") || name.contains(u"then") || name.contains(u"else");
}

} // namespace

FormulaTable::FormulaTable() : values_(FormulaEvaluator::kReservedValues)
{
    InitFunctions();
}

FormulaTable::~FormulaTable() = default;

void FormulaTable::InitFunctions()
{
    functions_ = FunctionTable();
    functions_.AddBuiltIns();
    ClearTextFormulas();
}

void FormulaTable::AddFunction(const QString& name, int id, int length)
{
    functions_.Add(name, id, length);
    ClearTextFormulas();
}

void FormulaTable::AttachMemo(FormulaVariable& v)
{
    FormulaMemo* slot = nullptr;
    if (!freeMemos_.empty()) {
        slot = freeMemos_.back();
        freeMemos_.pop_back();
    } else {
        slot = &memos_.emplace_back();
    }
    *slot = FormulaMemo();
    v.memo_ = slot;
    UsersChanged();
}

void FormulaTable::ReleaseMemo(FormulaVariable& v)
{
    if (v.memo_ != &v.ownMemo_)
        freeMemos_.push_back(v.memo_);
    v.memo_ = &v.ownMemo_;
    UsersChanged();
}

void FormulaTable::ClearTextFormulas()
{
    for (auto& [text, t] : textFormulas_)
        Unregister(t.variable);
    textFormulas_.clear();
}

FormulaTable::TextFormula::TextFormula(const QString& text, const FunctionTable* functions)
    : variable(kTemporaryName, functions)
{
    variable.SetFormula(text);
    variable.category = 1000;
}

// Drops the texts not evaluated since the last sweep, the least recently used
// ones. When all were, the drawing uses more texts than the cache holds, and
// a quarter of them goes.
void FormulaTable::SweepTextFormulas()
{
    const size_t before = textFormulas_.size();
    for (auto it = textFormulas_.begin(); it != textFormulas_.end();) {
        if (it->second.used) {
            it->second.used = false;
            ++it;
        } else {
            Unregister(it->second.variable);
            it = textFormulas_.erase(it);
        }
    }
    if (textFormulas_.size() < before)
        return;
    for (auto it = textFormulas_.begin(); it != textFormulas_.end() && textFormulas_.size() > before * 3 / 4;) {
        Unregister(it->second.variable);
        it = textFormulas_.erase(it);
    }
}

void FormulaTable::Clear()
{
    for (const auto& v : variables_) {
        Unregister(*v);
        ReleaseMemo(*v);
    }
    variables_.clear();
    RebuildNameIndex();
    std::erase_if(users_, [](const auto& entry) { return entry.second.empty(); });
    UsersChanged();
    NextNamesGeneration();
    EverythingChanged();
}

bool FormulaTable::AddDefaultVariables()
{
    lastError_ = 0;
    for (const DefaultVariable& d : kDefaults) {
        if (!AddVariable(QString::fromLatin1(d.name), QString::fromLatin1(d.formula), QString(),
                         d.category, false))
            return false;
    }
    return true;
}

void FormulaTable::EverythingChanged()
{
    ++generation_;
}

void FormulaTable::NextNamesGeneration()
{
    ++namesGeneration_;
}

void FormulaTable::Register(FormulaVariable& v)
{
    std::vector<FormulaReference>& refs = v.program_.references;
    if (!refs.empty())
        UsersChanged();
    for (size_t i = 0; i < refs.size(); ++i) {
        const auto entry = users_.try_emplace(refs[i].name).first;
        refs[i].name = entry->first; // one copy of each name for all formulas
        FormulaUsers& users = entry->second;
        refs[i].userSlot = static_cast<uint32_t>(users.size());
        users.push_back({&v, v.memo_, static_cast<uint32_t>(i)});
    }
}

void FormulaTable::Unregister(FormulaVariable& v)
{
    if (!v.program_.references.empty())
        UsersChanged();
    for (const FormulaReference& ref : v.program_.references) {
        const auto it = users_.find(ref.name);
        Q_ASSERT(it != users_.end());
        FormulaUsers& users = it->second;
        // The last user takes the place of v.
        const FormulaUser moved = users.back();
        users[ref.userSlot] = moved;
        moved.variable->program_.references[moved.reference].userSlot = ref.userSlot;
        users.pop_back();
        DropUsersIfUnused(ref.name);
    }
}

void FormulaTable::AttachUsers(FormulaVariable& v)
{
    v.memo_->users = &users_[v.Name()];
    UsersChanged();
}

void FormulaTable::DropUsersIfUnused(const QString& name)
{
    const auto it = users_.find(name);
    if (it != users_.end() && it->second.empty() && !byName_.contains(name)) {
        users_.erase(it);
        UsersChanged();
    }
}

void FormulaTable::Invalidate(FormulaVariable& v)
{
    v.memo_->generation = 0;
    InvalidateUsers(v.memo_->users);
}

void FormulaTable::InvalidateUsers(const QString& name)
{
    const auto it = users_.find(name);
    if (it != users_.end())
        InvalidateUsers(&it->second);
}

// Every user is stale, and so are its users in turn; a user that is stale
// already has stale users.
void FormulaTable::InvalidateUsers(FormulaUsers* users)
{
    if (users == nullptr)
        return;
    const uint64_t current = generation_;
    if (users == reachRoot_ && reachVersion_ == usersVersion_ && MarkReach(current))
        return;
    const uint64_t mark = ++walkMark_;
    bool clean = true; // every memo met was current or marked by this walk
    reach_.clear();
    // A stack of lists still to visit, kept in registers: the buffer grows
    // only when it is full.
    FormulaUsers** pending = pendingUsers_.data();
    size_t capacity = pendingUsers_.size();
    size_t count = 0;
    auto push = [&](FormulaUsers* list) {
        if (count == capacity) [[unlikely]] {
            capacity = 2 * capacity + 16;
            pendingUsers_.resize(capacity);
            pending = pendingUsers_.data();
        }
        pending[count++] = list;
    };
    push(users);
    while (count != 0) {
        const FormulaUsers& next = *pending[--count];
        for (const FormulaUser& user : next) {
            FormulaMemo& memo = *user.memo;
            if (memo.generation != current) {
                clean = clean && memo.generation == mark;
                continue;
            }
            memo.generation = mark;
            reach_.push_back(&memo);
            if (memo.users != nullptr && !memo.users->empty())
                push(memo.users);
        }
    }
    reachRoot_ = clean ? users : nullptr;
    reachVersion_ = usersVersion_;
}

// Marks the memos of reach_ when all of them are current; false, marking
// nothing, when one is not (the walk then takes another way).
bool FormulaTable::MarkReach(uint64_t current)
{
    const uint64_t mark = ++walkMark_;
    const size_t count = reach_.size();
    for (size_t i = 0; i < count; ++i) {
        FormulaMemo& memo = *reach_[i];
        if (memo.generation != current) [[unlikely]] {
            for (size_t j = 0; j < i; ++j)
                reach_[j]->generation = current;
            return false;
        }
        memo.generation = mark;
    }
    return true;
}

void FormulaTable::RebuildNameIndex()
{
    byName_.clear();
    namesMayRepeat_ = false;
    longestName_ = 0;
    for (const auto& v : variables_) {
        if (byName_.contains(v->Name()))
            namesMayRepeat_ = true;
        else
            byName_.insert(v->Name(), v.get());
        longestName_ = std::max(longestName_, static_cast<int>(v->Name().size()));
    }
}

FormulaVariable* FormulaTable::FindFirst(const QString& name) const
{
    return byName_.value(name, nullptr);
}

FormulaVariable* FormulaTable::AppendVariable(const QString& name, const QString& formula,
                                              const QString& description, int category,
                                              bool deletable)
{
    auto v = std::make_unique<FormulaVariable>(name, &functions_);
    AttachMemo(*v);
    v->SetFormula(formula);
    v->deletable = deletable;
    v->category = category;
    v->description = description;
    v->valid = v->error == 0;
    lastError_ = v->error;
    Register(*v);
    AttachUsers(*v);
    FormulaVariable* added = v.get();
    variables_.push_back(std::move(v));
    if (!byName_.contains(name))
        byName_.insert(name, added);
    longestName_ = std::max(longestName_, static_cast<int>(name.size()));
    NextNamesGeneration();
    InvalidateUsers(name); // they took the name for no variable
    return added;
}

bool FormulaTable::AddVariable(const QString& name, const QString& formula,
                               const QString& description, int category, bool deletable,
                               NameOrigin origin)
{
    lastError_ = 0;
    if (Exists(name) || (origin == NameOrigin::Typed && ContainsKeyword(name))) {
        lastError_ = FormulaError::NameExists;
        return false;
    }
    Refresh(*AppendVariable(name, formula, description, category, deletable));
    return true;
}

bool FormulaTable::DeleteVariable(const QString& name, bool force)
{
    lastError_ = 0;
    const int n = FindIndex(name);
    if (n < 0) {
        lastError_ = FormulaError::NoSuchVariable;
        return false;
    }
    if (!force && !variables_[n]->deletable) {
        lastError_ = FormulaError::Protected;
        return false;
    }
    const QString removed = name; // name may be the variable's own
    Unregister(*variables_[n]);
    ReleaseMemo(*variables_[n]);
    variables_.erase(variables_.begin() + n);
    if (namesMayRepeat_) {
        RebuildNameIndex();
    } else {
        byName_.remove(removed);
    }
    NextNamesGeneration();
    InvalidateUsers(removed);
    DropUsersIfUnused(removed);
    return true;
}

bool FormulaTable::Reparse(FormulaVariable& v, const QString& formula, const QString& description)
{
    Unregister(v);
    const bool parsed = v.Reparse(formula);
    Register(v);
    Invalidate(v);
    lastError_ = v.error;
    if (!parsed)
        return false;
    if (v.error == 0) {
        v.description = description;
        v.valid = true;
    } else {
        v.valid = false;
    }
    return true;
}

bool FormulaTable::SetFormula(const QString& name, const QString& formula,
                              const QString& description)
{
    lastError_ = 0;
    FormulaVariable* v = FindFirst(name);
    if (v == nullptr) {
        lastError_ = FormulaError::NoSuchVariable;
        return false;
    }
    if (!Reparse(*v, formula, description))
        return false;
    Refresh(*v);
    return true;
}

void FormulaTable::SetFormulaAt(int n, const QString& formula)
{
    if (FormulaVariable* v = MutableAt(n)) {
        Unregister(*v);
        v->Reparse(formula);
        Register(*v);
        Invalidate(*v);
    }
}

bool FormulaTable::RenameVariable(int n, const QString& name, NameOrigin origin)
{
    lastError_ = 0;
    FormulaVariable* v = MutableAt(n);
    if (v == nullptr) {
        lastError_ = FormulaError::NoSuchVariable;
        return false;
    }
    if (origin == NameOrigin::Typed && ContainsKeyword(name)) {
        lastError_ = FormulaError::NameExists;
        return false;
    }
    const QString old = v->Name();
    v->SetName(name);
    AttachUsers(*v);
    RebuildNameIndex();
    NextNamesGeneration();
    InvalidateUsers(old);
    InvalidateUsers(name);
    DropUsersIfUnused(old);
    return true;
}

void FormulaTable::SetUsed(int n, bool used)
{
    if (FormulaVariable* v = MutableAt(n))
        v->used = used;
}

bool FormulaTable::IsUsed(int n) const
{
    const FormulaVariable* v = VariableAt(n);
    return v != nullptr && v->used;
}

const FormulaVariable* FormulaTable::VariableAt(int n) const
{
    return MutableAt(n);
}

FormulaVariable* FormulaTable::MutableAt(int n) const
{
    if (n < 0 || n >= GetCount())
        return nullptr;
    return variables_[n].get();
}

QString FormulaTable::GetName(int n) const
{
    const FormulaVariable* v = VariableAt(n);
    return v ? v->Name() : QString();
}

QString FormulaTable::GetFormula(int n) const
{
    const FormulaVariable* v = VariableAt(n);
    return v ? v->Formula() : QString();
}

QString FormulaTable::GetDescription(int n) const
{
    const FormulaVariable* v = VariableAt(n);
    return v ? v->description : QString();
}

int FormulaTable::GetCategory(int n) const
{
    const FormulaVariable* v = VariableAt(n);
    return v ? v->category : 0;
}

bool FormulaTable::IsDeletable(int n) const
{
    const FormulaVariable* v = VariableAt(n);
    return v != nullptr && v->deletable;
}

bool FormulaTable::IsValid(int n) const
{
    const FormulaVariable* v = VariableAt(n);
    return v != nullptr && v->valid;
}

const FormulaVariable* FormulaTable::FindVariable(const QString& name)
{
    lastError_ = 0;
    return FindFirst(name);
}

int FormulaTable::FindIndex(const QString& name) const
{
    const FormulaVariable* v = FindFirst(name);
    if (v == nullptr)
        return -1;
    const auto it = std::find_if(variables_.begin(), variables_.end(),
                                 [v](const auto& p) { return p.get() == v; });
    return static_cast<int>(it - variables_.begin());
}

double FormulaTable::EvaluateVariable(FormulaVariable& v)
{
    const FormulaMemo& memo = *v.memo_;
    if (memo.generation == generation_) {
        v.error = memo.error;
        return memo.error != 0 ? 0.0 : memo.value;
    }
    return FormulaEvaluator::EvaluateStale(*this, v);
}

double FormulaTable::GetValue(int n)
{
    lastError_ = 0;
    if (n < 0 || n >= GetCount())
        return 0.0;
    return EvaluateVariable(*variables_[n]);
}

double FormulaTable::Evaluate(const QString& text)
{
    lastError_ = 0;
    FormulaVariable* v = FindFirst(text);
    if (v == nullptr) {
        auto it = textFormulas_.find(text);
        if (it == textFormulas_.end()) {
            if (textFormulas_.size() >= kMaxTextFormulas)
                SweepTextFormulas();
            it = textFormulas_.try_emplace(text, text, &functions_).first;
            Register(it->second.variable);
        }
        it->second.used = true;
        v = &it->second.variable;
    }
    const double value = EvaluateVariable(*v);
    lastError_ = v->error;
    return value;
}

bool FormulaTable::HasCircularReference(const QString& name)
{
    FormulaVariable* start = FindFirst(name);
    if (start == nullptr)
        return false;
    for (const auto& v : variables_)
        v->visited = false;
    // Depth first over the formula texts: a variable whose text names the
    // start is reached from it through the texts in between.
    std::vector<FormulaVariable*> pending{start};
    auto visit = [&](QStringView word) {
        if (!namesMayRepeat_) {
            FormulaVariable* w = FindFirst(word.toString());
            if (w != nullptr && !w->visited)
                pending.push_back(w);
            return;
        }
        for (const auto& w : variables_) {
            if (!w->visited && w->Name() == word)
                pending.push_back(w.get());
        }
    };
    while (!pending.empty()) {
        FormulaVariable* v = pending.back();
        pending.pop_back();
        if (v->visited)
            continue;
        v->visited = true;
        bool namesStart = false;
        VariableList::ForEachWord(v->Formula(), [&](QStringView word) {
            if (word == name)
                namesStart = true;
            else
                visit(word);
        });
        if (namesStart)
            return true;
    }
    return false;
}

int FormulaTable::LeadingVariableLength(const QString& text) const
{
    int length = 0;
    QString read;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isSpace())
            continue;
        read.append(text[i]);
        if (read.size() > longestName_)
            break;
        if (Exists(read))
            length = static_cast<int>(i + 1);
    }
    return length;
}

bool FormulaTable::IsNameChar(QChar c)
{
    return c.isSpace() || (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z')
        || (c >= u'a' && c <= u'z') || c == u'_';
}

bool FormulaTable::LookupCachedValue(const QString& name, double& value) const
{
    const FormulaVariable* v = FindFirst(name);
    if (v == nullptr || v->memo_->generation != generation_ || v->memo_->error != 0)
        return false;
    value = v->memo_->value;
    return true;
}

void FormulaTable::StoreCachedValue(const QString& name, double value)
{
    if (FormulaVariable* v = FindFirst(name)) {
        InvalidateUsers(name);
        FormulaMemo& memo = *v->memo_;
        memo.generation = generation_;
        memo.value = value;
        memo.error = 0;
    }
}

void FormulaTable::RemoveCachedValue(const QString& name)
{
    if (FormulaVariable* v = FindFirst(name))
        Invalidate(*v);
}

void FormulaTable::Refresh(const QString& name)
{
    lastError_ = 0;
    if (FormulaVariable* v = FindFirst(name))
        Refresh(*v);
}

void FormulaTable::Refresh(FormulaVariable& v)
{
    EvaluateVariable(v);
    lastError_ = v.error;
}
