// Embedded drop-down lists and pictures.
#include "platform/workbook/engine/book.h"
#include "platform/workbook/engine/errors.h"
#include "platform/workbook/engine/number_format.h"

#include <cmath>
#include <utility>

namespace ks::workbook {

namespace {
constexpr std::size_t kMaxListItems = 32767;

Anchor checkedAnchor(double left, double top, double right, double bottom)
{
    auto inside = [](double v, double limit) { return std::isfinite(v) && v >= 1 && v <= limit + 1; };
    if (!inside(left, kMaxColumns) || !inside(right, kMaxColumns) || !inside(top, kMaxRows) ||
        !inside(bottom, kMaxRows) || right < left || bottom < top)
        raise(kErrBadArgument, "Invalid object position");
    return {left, top, right, bottom};
}
}

int Book::AddPictureObject(double left, double top, double right, double bottom, const std::string& data,
                           int mappingMode, double width, double height)
{
    PictureObject picture{data_.nextObjectId++, checkedAnchor(left, top, right, bottom), data, mappingMode,
                          width, height};
    current().pictures.push_back(std::move(picture));
    notify(BookChange::Objects, data_.currentSheet);
    return current().pictures.back().id;
}

int Book::AddListObject(double left, double top, double right, double bottom, const std::string& name)
{
    ListObject list;
    list.id = data_.nextObjectId++;
    list.name = name;
    list.anchor = checkedAnchor(left, top, right, bottom);
    current().lists.push_back(std::move(list));
    notify(BookChange::Objects, data_.currentSheet);
    return current().lists.back().id;
}

int Book::sheetOfList(int id) const
{
    for (std::size_t s = 0; s < data_.sheets.size(); ++s)
        for (const ListObject& list : data_.sheets[s].lists)
            if (list.id == id)
                return static_cast<int>(s);
    raise(kErrBadArgument, "No drop-down object with id " + std::to_string(id));
}

ListObject& Book::listById(int id)
{
    return const_cast<ListObject&>(std::as_const(*this).listById(id));
}

const ListObject& Book::listById(int id) const
{
    for (const ListObject& list : data_.sheets[static_cast<std::size_t>(sheetOfList(id))].lists)
        if (list.id == id)
            return list;
    raise(kErrBadArgument, "No drop-down object with id " + std::to_string(id));
}

const ListObject* Book::FindList(int id) const
{
    for (const Sheet& s : data_.sheets)
        for (const ListObject& list : s.lists)
            if (list.id == id)
                return &list;
    return nullptr;
}

void Book::setListSource(int id, const std::string& reference)
{
    int sheet = sheetOfList(id);
    Area area = parseArea(reference);
    if (area.sheet != sheet)
        raise(kErrBadArgument, "A drop-down takes its items from its own sheet");
    ListObject& list = listById(id);
    list.source = area.block;
    list.items.clear();
    notify(BookChange::Objects, sheet);
}

void Book::setListLinkedCell(int id, int row, int col)
{
    checkCell(row, col);
    listById(id).linkedCell = CellPos{row, col};
    notify(BookChange::Objects, sheetOfList(id));
}

int Book::ListItemCount(int id) const
{
    const ListObject& list = listById(id);
    if (list.source)
        return list.source->rows() * list.source->cols();
    return static_cast<int>(list.items.size());
}

int Book::ListSelection(int id) const
{
    return listById(id).selection;
}

void Book::setListSelection(int id, int item)
{
    if (item < -1 || item >= ListItemCount(id))
        raise(kErrBadArgument, "Invalid item " + std::to_string(item) + " of drop-down " + std::to_string(id));
    ListObject& list = listById(id);
    list.selection = item;
    if (list.linkedCell)
        setBookNumber(sheetOfList(id) + 1, list.linkedCell->row, list.linkedCell->col, item);
    notify(BookChange::Objects, sheetOfList(id));
}

std::string Book::ListItemText(int id, int item) const
{
    if (item < 0 || item >= ListItemCount(id))
        raise(kErrBadArgument, "Invalid item " + std::to_string(item) + " of drop-down " + std::to_string(id));
    const ListObject& list = listById(id);
    if (!list.source)
        return list.items[static_cast<std::size_t>(item)];
    const Block& b = *list.source;
    int row = b.row1 + item / b.cols(), col = b.col1 + item % b.cols();
    const Cell* cell = cellAt(sheetOfList(id) + 1, row, col);
    return cell ? formatValue(cell->value, data_.styles.at(cell->style).numberFormat) : "";
}

void Book::AppendListItem(int id, const std::string& text)
{
    ListObject& list = listById(id);
    if (list.source)
        raise(kErrBadArgument, "Drop-down " + std::to_string(id) + " takes its items from cells");
    if (list.items.size() >= kMaxListItems)
        raise(kErrBadArgument, "Too many items in drop-down " + std::to_string(id));
    list.items.push_back(text);
    notify(BookChange::Objects, sheetOfList(id));
}

void Book::RemoveListItem(int id, int item)
{
    ListObject& list = listById(id);
    if (list.source)
        raise(kErrBadArgument, "Drop-down " + std::to_string(id) + " takes its items from cells");
    if (item < 0 || item >= static_cast<int>(list.items.size()))
        raise(kErrBadArgument, "Invalid item " + std::to_string(item) + " of drop-down " + std::to_string(id));
    list.items.erase(list.items.begin() + item);
    // The choice follows its item; a removed choice leaves none.
    if (list.selection == item)
        list.selection = -1;
    else if (list.selection > item)
        --list.selection;
    notify(BookChange::Objects, sheetOfList(id));
}

std::vector<const ListObject*> Book::ListObjects(int sheet) const
{
    std::vector<const ListObject*> out;
    for (const ListObject& list : sheetAt(sheet).lists)
        out.push_back(&list);
    return out;
}

std::vector<const PictureObject*> Book::PictureObjects(int sheet) const
{
    std::vector<const PictureObject*> out;
    for (const PictureObject& picture : sheetAt(sheet).pictures)
        out.push_back(&picture);
    return out;
}

}
