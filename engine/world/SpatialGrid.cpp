#include "SpatialGrid.h"

#include <algorithm>

#include "Object.h"

namespace ks {

namespace {

// Rounds toward minus infinity, so that cell -1 holds -8 .. -1.
long long cellOf(long long coordinate) {
    long long cell = coordinate / SpatialGrid::CELL_SIZE;
    return coordinate % SpatialGrid::CELL_SIZE < 0 ? cell - 1 : cell;
}

} // namespace

SpatialGrid::SpatialGrid() : buckets(GRID_SIDE * GRID_SIDE), large() {}

bool SpatialGrid::spanOf(const Box& box, CellSpan& span) {
    const Position corner = box.getCorner();
    const long long x1 = static_cast<long long>(corner.getX()) + std::max(box.getHorizontal(), 1);
    const long long y1 = static_cast<long long>(corner.getY()) + std::max(box.getVertical(), 1);
    const long long cx0 = cellOf(corner.getX()), cx1 = cellOf(x1 - 1);
    const long long cy0 = cellOf(corner.getY()), cy1 = cellOf(y1 - 1);
    if ((cx1 - cx0 + 1) * (cy1 - cy0 + 1) > MAX_SPAN_CELLS)
        return false;
    span = CellSpan{static_cast<int>(cx0), static_cast<int>(cy0), static_cast<int>(cx1),
                    static_cast<int>(cy1)};
    return true;
}

SpatialGrid::Entry* SpatialGrid::find(std::vector<Entry>& entries, const Object* p_object, int cx,
                                      int cy) {
    for (Entry& e : entries)
        if (e.p_object == p_object && e.cell_x == cx && e.cell_y == cy)
            return &e;
    return nullptr;
}

void SpatialGrid::place(Object* p_object) {
    const Box box = getWorldBox(p_object);
    const Position corner = box.getCorner();
    const int x = corner.getX(), y = corner.getY();
    const int horizontal = box.getHorizontal(), vertical = box.getVertical();
    GridPlace& place = p_object->grid_place;
    if (place.placement != NOWHERE && place.x == x && place.y == y &&
        place.horizontal == horizontal && place.vertical == vertical)
        return;
    CellSpan span{0, 0, 0, 0};
    const bool fits = spanOf(box, span);
    // In the same cells (or still large), only the copies of the box change.
    const bool same_cells =
        fits ? place.placement == IN_CELLS && place.span == span : place.placement == LARGE;
    if (!same_cells)
        remove(p_object);
    Entry entry{p_object, x, y, horizontal, vertical, span.x0, span.y0, 0, 0};
    if (!fits) {
        if (same_cells)
            *find(large, p_object, 0, 0) = entry;
        else
            large.push_back(entry);
    }
    for (int cy = span.y0; cy <= span.y1 && fits; cy++)
        for (int cx = span.x0; cx <= span.x1; cx++) {
            entry.cell_x = cx;
            entry.cell_y = cy;
            std::vector<Entry>& bucket = buckets[bucketOf(cx, cy)];
            if (same_cells)
                *find(bucket, p_object, cx, cy) = entry;
            else
                bucket.push_back(entry);
        }
    place = GridPlace{fits ? IN_CELLS : LARGE, x, y, horizontal, vertical, span};
}

void SpatialGrid::remove(Object* p_object) {
    GridPlace& place = p_object->grid_place;
    auto drop = [p_object](std::vector<Entry>& entries, int cx, int cy) {
        Entry* p_entry = find(entries, p_object, cx, cy);
        if (p_entry) {
            *p_entry = entries.back();
            entries.pop_back();
        }
    };
    if (place.placement == LARGE) {
        drop(large, 0, 0);
    } else if (place.placement == IN_CELLS) {
        for (int cy = place.span.y0; cy <= place.span.y1; cy++)
            for (int cx = place.span.x0; cx <= place.span.x1; cx++)
                drop(buckets[bucketOf(cx, cy)], cx, cy);
    }
    place.placement = NOWHERE;
}

void SpatialGrid::clear() {
    for (std::vector<Entry>& bucket : buckets) {
        for (Entry& e : bucket)
            e.p_object->grid_place.placement = NOWHERE;
        bucket.clear();
    }
    for (Entry& e : large)
        e.p_object->grid_place.placement = NOWHERE;
    large.clear();
}

} // namespace ks
