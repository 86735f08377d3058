// Writes one contact sheet per resource group: every picture of the group on a
// checkerboard (so that transparency shows), scaled to fit its box, labelled with its id,
// its size and its cells. Strips show their cells side by side.
// Usage: make_contact_sheets MANIFEST CONTENT_FOLDER OUTPUT_FOLDER

#include "tools/content/Canvas.h"
#include "tools/content/MakeFolder.h"
#include "tools/content/ManifestFile.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace {

using Content::Canvas;
using Content::ManifestEntry;
using Content::Rgba;

constexpr int kColumns = 6;
constexpr int kBoxWidth = 200;
constexpr int kBoxHeight = 200;
constexpr int kLabelHeight = 30;
constexpr int kMargin = 10;

void Checkerboard(Canvas& sheet, const double x, const double y, const double width, const double height)
{
    cairo_t* const cr = sheet.Cr();
    constexpr int kSquare = 8;
    for (int row = 0; row * kSquare < height; ++row) {
        for (int column = 0; column * kSquare < width; ++column) {
            sheet.SetColor((row + column) % 2 == 0 ? Rgba::Hex(0xBBBBBB) : Rgba::Hex(0x888888));
            cairo_rectangle(cr, x + column * kSquare, y + row * kSquare, std::min<double>(kSquare, width - column * kSquare),
                            std::min<double>(kSquare, height - row * kSquare));
            cairo_fill(cr);
        }
    }
}

// The picture as a row of its cells, so that a tall strip fits a box.
cairo_surface_t* CellsSideBySide(cairo_surface_t* picture, const ManifestEntry& entry, int* width, int* height)
{
    const int cellWidth = cairo_image_surface_get_width(picture) / entry.mCols;
    const int cellHeight = cairo_image_surface_get_height(picture) / entry.mRows;
    const int cells = entry.mRows * entry.mCols;
    if (cells == 1) {
        *width = cellWidth;
        *height = cellHeight;
        return cairo_surface_reference(picture);
    }
    const int perRow = std::max(1, static_cast<int>(std::ceil(std::sqrt(cells * double(cellHeight) / cellWidth))));
    const int rows = (cells + perRow - 1) / perRow;
    *width = perRow * cellWidth;
    *height = rows * cellHeight;
    cairo_surface_t* const grid = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, *width, *height);
    cairo_t* const cr = cairo_create(grid);
    for (int cell = 0; cell < cells; ++cell) {
        const int sourceX = (cell % entry.mCols) * cellWidth;
        const int sourceY = (cell / entry.mCols) * cellHeight;
        const int targetX = (cell % perRow) * cellWidth;
        const int targetY = (cell / perRow) * cellHeight;
        cairo_set_source_surface(cr, picture, targetX - sourceX, targetY - sourceY);
        cairo_rectangle(cr, targetX, targetY, cellWidth, cellHeight);
        cairo_fill(cr);
    }
    cairo_destroy(cr);
    return grid;
}

bool WriteSheet(const std::string& group, const std::vector<const ManifestEntry*>& entries,
                const std::filesystem::path& content, const std::filesystem::path& output)
{
    const int rows = static_cast<int>((entries.size() + kColumns - 1) / kColumns);
    Canvas sheet(kColumns * (kBoxWidth + kMargin) + kMargin, rows * (kBoxHeight + kLabelHeight + kMargin) + kMargin);
    cairo_t* const cr = sheet.Cr();
    sheet.SetColor(Rgba::Hex(0x303030));
    cairo_paint(cr);
    Content::TextStyle label;
    label.mFont = Content::FontStyle::SANS_CONDENSED_BOLD;
    label.mSize = 10;
    label.mFill = Rgba::Hex(0xFFFFFF);
    bool ok = true;
    for (size_t i = 0; i < entries.size(); ++i) {
        const ManifestEntry& entry = *entries[i];
        const double boxX = kMargin + static_cast<int>(i % kColumns) * (kBoxWidth + kMargin);
        const double boxY = kMargin + static_cast<int>(i / kColumns) * (kBoxHeight + kLabelHeight + kMargin);
        cairo_surface_t* const picture = cairo_image_surface_create_from_png((content / entry.mPath).string().c_str());
        if (cairo_surface_status(picture) != CAIRO_STATUS_SUCCESS) {
            std::fprintf(stderr, "make_contact_sheets: cannot read %s\n", entry.mPath.c_str());
            cairo_surface_destroy(picture);
            ok = false;
            continue;
        }
        const int pictureWidth = cairo_image_surface_get_width(picture);
        const int pictureHeight = cairo_image_surface_get_height(picture);
        int width = 0;
        int height = 0;
        cairo_surface_t* const shown = CellsSideBySide(picture, entry, &width, &height);
        const double scale = std::min({1.0, double(kBoxWidth) / width, double(kBoxHeight) / height});
        const double x = boxX + (kBoxWidth - width * scale) / 2;
        const double y = boxY + (kBoxHeight - height * scale) / 2;
        Checkerboard(sheet, x, y, width * scale, height * scale);
        cairo_save(cr);
        cairo_translate(cr, x, y);
        cairo_scale(cr, scale, scale);
        cairo_set_source_surface(cr, shown, 0, 0);
        cairo_paint(cr);
        cairo_restore(cr);
        cairo_surface_destroy(shown);
        cairo_surface_destroy(picture);

        std::string name = entry.mId;
        for (const char* prefix : {"IMAGE_GAME_", "IMAGE_"})
            if (name.rfind(prefix, 0) == 0) {
                name = name.substr(std::string(prefix).size());
                break;
            }
        std::string size = std::to_string(pictureWidth) + "x" + std::to_string(pictureHeight);
        if (entry.mRows * entry.mCols > 1)
            size += ", " + std::to_string(entry.mRows * entry.mCols) + " cells";
        label.mSize = sheet.FitTextSize(name, kBoxWidth, label);
        sheet.Text(name, boxX + kBoxWidth / 2.0, boxY + kBoxHeight + 12, Content::Align::CENTRE, label);
        Content::TextStyle small = label;
        small.mSize = 9;
        small.mFill = Rgba::Hex(0xBBBBBB);
        sheet.Text(size, boxX + kBoxWidth / 2.0, boxY + kBoxHeight + 25, Content::Align::CENTRE, small);
    }
    return sheet.Save((output / (group + ".png")).string()) && ok;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: make_contact_sheets MANIFEST CONTENT_FOLDER OUTPUT_FOLDER\n");
        return 2;
    }
    std::vector<ManifestEntry> entries;
    if (!Content::ReadManifest(argv[1], &entries))
        return 1;
    std::vector<std::string> order;
    std::map<std::string, std::vector<const ManifestEntry*>> groups;
    for (const ManifestEntry& entry : entries) {
        if (entry.mKind != "Image")
            continue;
        if (groups.count(entry.mGroup) == 0)
            order.push_back(entry.mGroup);
        groups[entry.mGroup].push_back(&entry);
    }
    if (!Content::MakeFolder(argv[3], "make_contact_sheets"))
        return 1;
    bool ok = true;
    for (const std::string& group : order)
        ok = WriteSheet(group, groups[group], argv[2], argv[3]) && ok;
    return ok ? 0 : 1;
}
