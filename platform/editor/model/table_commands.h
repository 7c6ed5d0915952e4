#pragma once
// The table commands at the caret (EditorTableCmdA..D).
#include "platform/editor/model/editor.h"

namespace ks::editor {

int caretCell(Editor& e);
int insertTable(Editor& e, int rows);
int insertRow(Editor& e, bool after);
int deleteRow(Editor& e);
// A new empty cell in every row of the caret's table, before or after the caret's column.
int insertColumn(Editor& e, bool after);
// The caret's column goes from every row of its table; a row left empty goes too.
int deleteColumn(Editor& e);
// The caret's cell takes in the next cell of its row (text and column span).
int mergeCells(Editor& e);
// A cell spanning columns gives its last column back as a new empty cell.
int splitCell(Editor& e);

}
