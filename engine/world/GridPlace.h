#pragma once

namespace ks {

/// A rectangle of cells of the grid, its far cells included.
struct CellSpan {
    int x0; ///< first column
    int y0; ///< first row
    int x1; ///< last column
    int y1; ///< last row
    /// Whether both cover the same cells.
    bool operator==(const CellSpan& other) const {
        return x0 == other.x0 && y0 == other.y0 && x1 == other.x1 && y1 == other.y1;
    }
};

/// Where an object lies in a SpatialGrid: nowhere, in cells, or among the large objects; its
/// world box as the grid last saw it; the cells that box touches.
struct GridPlace {
    int placement;  ///< a SpatialGrid::Placement
    int x;          ///< the world box's corner column
    int y;          ///< the world box's corner row
    int horizontal; ///< the world box's width
    int vertical;   ///< the world box's height
    CellSpan span;  ///< the cells the box touches
};

} // namespace ks
