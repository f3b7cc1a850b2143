#pragma once
// The path rules of the document's life cycle, as the Windows shell path
// functions have them; '\' and '/' both separate folders.
#include <QString>

namespace docpath {

// The extension with its dot ("Box.n" → ".n"); empty when the last name
// has none.
QString Extension(const QString& path);
// The path without its extension.
QString WithoutExtension(const QString& path);
// A path written wholly in capitals, lowered; any other path as it is.
QString MakePretty(const QString& path);
// The autosave copy beside the file: the pretty path without its extension,
// "_tmp", then the extension ("D:\Dies\Box12.n" → "D:\Dies\Box12_tmp.n").
QString AutosaveName(const QString& path);

// Whether the path names another program's drawing (".dxf", ".cf2",
// ".dd3", ".plt", in any case), which is read into a drawing without a name.
bool IsForeignDrawing(const QString& path);

} // namespace docpath
