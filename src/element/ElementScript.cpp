// The script text of an element: its script word and its parameters, the
// form the copy command puts on the clipboard.
#include "element/Element.h"

namespace {
const QString kElementGroup = QStringLiteral("Element");
}

QString CElement::BuildScriptText(const QString& word, const std::vector<PropertyValue>& list)
{
    QString text = word + QStringLiteral(" {");
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (i > 0)
            text += QStringLiteral(", ");
        text += list[i].ToText();
    }
    text += QStringLiteral("};\n");
    return text;
}

void CElement::AppendCommonParameters()
{
    PropertyValue lineType;
    lineType.SetInt(kElementGroup, QStringLiteral("LineType"), LineType);
    PropertyValue mode;
    mode.SetInt(kElementGroup, QStringLiteral("iAutoBridges"), iAutoBridges);
    PropertyValue width;
    width.SetDouble(kElementGroup, QStringLiteral("lBridges"), lBridges);
    parameters.push_back(lineType);
    parameters.push_back(mode);
    parameters.push_back(width);
}

void CElement::FillParameters()
{
    parameters.clear();
    AppendCommonParameters();
}

QString CElement::GetScriptText()
{
    FillParameters();
    return BuildScriptText(QStringLiteral("Element"), parameters);
}
