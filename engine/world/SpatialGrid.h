#pragma once

#include <vector>

#include "Box.h"
#include "GridPlace.h"

namespace ks {

class Object;

/// The world's broad phase: a uniform grid of CELL_SIZE x CELL_SIZE cells, folded onto a fixed
/// table of GRID_SIDE x GRID_SIDE buckets (cells GRID_SIDE apart share a bucket, so any world
/// fits), that finds the objects whose boxes overlap a box. An object lies in the
/// bucket of every cell its box touches, with a copy of its box, so that a search tests the
/// objects nearby without reading them; one whose box would touch more than MAX_SPAN_CELLS cells
/// is kept apart and tested by every search.
///
/// A box of zero or negative extent is filed under its corner cell: boxIntersectsBox counts such
/// a box as overlapping a box that holds its corner, and no other box.
class SpatialGrid {
public:
    /// The side of a grid cell, in world cells.
    static const int CELL_SIZE = 8;
    /// Buckets along each side of the table (a power of two).
    static const int GRID_SIDE = 128;
    /// The most grid cells an object may touch and still be filed in them.
    static const long long MAX_SPAN_CELLS = 64;
    /// Where an object is filed.
    enum Placement { NOWHERE = 0, IN_CELLS = 1, LARGE = 2 };

    /// An empty grid.
    SpatialGrid();

    /// Files the object under its world box as it is now (the grid keeps no other state of it).
    void place(Object* p_object);
    /// Takes the object out of the grid; an object not in it is ignored.
    void remove(Object* p_object);
    /// Lets go of every object.
    void clear();

    /// The cells the box touches; false when they are more than MAX_SPAN_CELLS.
    static bool spanOf(const Box& box, CellSpan& span);

    /// Calls visit(object) once for every object held, but p_skip, whose box overlaps the box
    /// (boxIntersectsBox), in no particular order. span is the box's, from spanOf.
    template <typename Visit>
    void forEachOverlapping(const Box& box, const CellSpan& span, const Object* p_skip,
                            Visit visit) const {
        const Position corner = box.getCorner();
        const int x = corner.getX(), y = corner.getY();
        const int horizontal = box.getHorizontal(), vertical = box.getVertical();
        for (int cy = span.y0; cy <= span.y1; cy++)
            for (int cx = span.x0; cx <= span.x1; cx++)
                for (const Entry& e : buckets[bucketOf(cx, cy)])
                    // A pair whose spans share several cells is reported from the first of them
                    // only; entries of other cells that share the bucket are passed over.
                    if (e.cell_x == cx && e.cell_y == cy &&
                        cx == (e.span_x0 > span.x0 ? e.span_x0 : span.x0) &&
                        cy == (e.span_y0 > span.y0 ? e.span_y0 : span.y0) &&
                        e.overlaps(x, y, horizontal, vertical) && e.p_object != p_skip)
                        visit(e.p_object);
        for (const Entry& e : large)
            if (e.overlaps(x, y, horizontal, vertical) && e.p_object != p_skip)
                visit(e.p_object);
    }

private:
    /// One object in one cell (or among the large ones), with its box.
    struct Entry {
        Object* p_object;
        int x, y, horizontal, vertical;
        int span_x0, span_y0, cell_x, cell_y;
        bool overlaps(int bx, int by, int bh, int bv) const {
            return rangesOverlap(bx, bh, x, horizontal) && rangesOverlap(by, bv, y, vertical);
        }
    };

    static unsigned bucketOf(int cx, int cy) {
        return (static_cast<unsigned>(cx) & (GRID_SIDE - 1)) +
               (static_cast<unsigned>(cy) & (GRID_SIDE - 1)) * GRID_SIDE;
    }
    /// The object's entry in the list, for the cell; null if it has none there.
    static Entry* find(std::vector<Entry>& entries, const Object* p_object, int cx, int cy);

    std::vector<std::vector<Entry>> buckets;
    std::vector<Entry> large;
};

} // namespace ks
