#include "formula/FunctionTable.h"



void FunctionTable::Add(const QString& name, int id, int length)
{
    if (count_ >= kCapacity)
        return;
    FunctionEntry& e = entries_[count_++];
    e.name = name;
    e.id = id;
    e.length = length == -1 ? static_cast<int>(name.size()) + 1 : length;
    if (name.size() > longestName_)
        longestName_ = static_cast<int>(name.size());
}

void FunctionTable::AddBuiltIns()
{
    Add(QStringLiteral("sin"), FunctionId::Sin);
    Add(QStringLiteral("cos"), FunctionId::Cos);
    Add(QStringLiteral("tg"), FunctionId::Tg);
    Add(QStringLiteral("ctg"), FunctionId::Ctg);
    Add(QStringLiteral("**"), FunctionId::Power);
    Add(QStringLiteral("round"), FunctionId::Round);
    Add(QStringLiteral("trunc"), FunctionId::Trunc);
    Add(QStringLiteral("abs"), FunctionId::Abs);
    Add(QStringLiteral("rad"), FunctionId::Rad);
    Add(QStringLiteral("asin"), FunctionId::Asin);
    Add(QStringLiteral("acos"), FunctionId::Acos);
    Add(QStringLiteral("atg"), FunctionId::Atg);
    Add(QStringLiteral("actg"), FunctionId::Actg);
    Add(QStringLiteral("deg"), FunctionId::Deg);
    Add(QStringLiteral("if"), FunctionId::If);
}

int FunctionTable::IdOf(QStringView name) const
{
    for (int i = 0; i < count_; ++i) {
        if (entries_[i].name == name)
            return entries_[i].id;
    }
    return 0;
}
