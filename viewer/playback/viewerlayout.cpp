#include "viewerlayout.h"

#include <algorithm>

namespace {

void add(QList<ControlPlace> &places, const char *name, int width, int height, int left, int top)
{
    places.append({QString::fromLatin1(name), QRect(left, top, width, height)});
}

} // namespace

QRect ViewerLayout::place(const QString &name) const
{
    for (const ControlPlace &p : Places)
        if (p.Name == name)
            return p.Rect;
    return {};
}

int boatListContentHeight(int boatCount)
{
    return boatCount * BoatRowHeight + 25;
}

QSize mapSize(QSize client)
{
    return {std::max(client.width() - RightColumnWidth - TimeBarPanelWidth, 1), std::max(client.height(), 1)};
}

bool boatListHidesLogo(QSize client, int boatCount)
{
    return boatListContentHeight(boatCount) >= client.height() - LogoPanelHeight;
}

bool boatListHidesControls(QSize client, int boatCount)
{
    return boatListContentHeight(boatCount) > client.height() - LogoPanelHeight - ControlPanelHeight;
}

int scorePanelDodge(int currentLeft, int mapWidth)
{
    return currentLeft > 50 ? 5 : mapWidth - 5 - ScorePanelWidth;
}

QRect hintBoxRect(int mapWidth, QSize size)
{
    return QRect(mapWidth - size.width() - 5, 5, size.width(), size.height());
}

ViewerLayout layoutWindow(QSize client, int boatCount)
{
    ViewerLayout layout;
    layout.Client = client;
    const int w = client.width(), h = client.height();
    const QSize map = mapSize(client);
    layout.Map = QRect(QPoint(0, 0), map);
    QList<ControlPlace> &p = layout.Places;
    const int right = w - RightColumnWidth;

    // The window's regions.
    add(p, "pnlSPLITE", w, h, 0, 0);
    add(p, "pnlLOGO", RightColumnWidth, LogoPanelHeight, right, 0);
    add(p, "pnlCTRL", RightColumnWidth, ControlPanelHeight, right, h - ControlPanelHeight);
    const int list = boatListContentHeight(boatCount);
    const int room = h - LogoPanelHeight - ControlPanelHeight;
    const int listHeight = list < room ? room : list;
    const int listTop = list < h - LogoPanelHeight ? LogoPanelHeight : 0;
    add(p, "pnlBOATlist", RightColumnWidth, listHeight, right, listTop);
    add(p, "pnlTimeBar", TimeBarPanelWidth, h, right - TimeBarPanelWidth, 0);

    // On the map: the score panel and the flags at the top right, the compass at the top left.
    add(p, "pnlScore", ScorePanelWidth, 21, map.width() - 5 - ScorePanelWidth, 5);
    add(p, "pnlFLAG", FlagPanelWidth, FlagPanelHeight, map.width() - 5 - FlagPanelWidth, 5);
    add(p, "brenvologo", FlagPanelWidth, FlagPanelHeight, 0, 0);
    add(p, "blue_p", FlagPanelWidth, FlagPanelHeight, 0, 0);
    add(p, "Panel1", 100, 100, 5, 5);

    // pnlCTRL (width, height, left, top as the panel was designed).
    add(p, "Label5", 126, 12, 12, 12);
    add(p, "ComboBox1", 167, 20, 11, 28);
    add(p, "chkAutoNext", 72, 16, 182, 7);
    add(p, "Button1", 44, 49, 207, 193);
    add(p, "Button4", 73, 19, 183, 28);
    add(p, "GroupBox2", 65, 45, 12, 59);
    add(p, "GroupBox1", 71, 45, 83, 59);
    const char *checks[] = {"CheckBox1", "chkLL", "ChkRefLine", "CheckBox2", "ChkBigBoat", "chkHint"};
    const int checkTops[] = {61, 78, 95, 112, 129, 146};
    for (int i = 0; i < 6; ++i)
        add(p, checks[i], 86, 17, 169, checkTops[i]);
    add(p, "Button3", 85, 17, 169, 148);
    add(p, "Button2", 85, 17, 169, 166);
    add(p, "pnlDIR", 69, 72, 10, 112);
    add(p, "GroupBox4", 71, 78, 83, 109);
    add(p, "Label3", 32, 12, 11, 198);
    add(p, "ScrollBar2", 106, 16, 48, 197);
    add(p, "usa", 34, 23, 165, 194);
    add(p, "jpn", 34, 23, 165, 194);
    add(p, "Label2", 36, 12, 9, 226);
    add(p, "ScrollBar1", 106, 16, 48, 225);
    add(p, "Memo2", 29, 19, 162, 224);

    // Inside the group boxes: the page, the orientation, the sea colour.
    add(p, "RadioButton1", 55, 14, 6, 14);
    add(p, "RadioButton2", 55, 14, 6, 28);
    add(p, "RadioN", 64, 14, 5, 14);
    add(p, "RadioW", 64, 14, 5, 28);
    add(p, "ScrollBar3", 59, 16, 6, 18);
    add(p, "CheckBox3", 59, 16, 6, 40);
    for (int i = 0; i < 5; ++i)
        p.append({QStringLiteral("Image%1").arg(4 + i), QRect(5, 15 + 12 * i, 32, 10)});

    // pnlDIR: forward, stop and backward one under the other, a second on and back beside them.
    add(p, "pnlDIRcaption", 69, 14, 0, 1);
    add(p, "up_t", 24, 16, 8, 17);
    add(p, "up_f", 24, 16, 8, 17);
    add(p, "stop_t", 24, 16, 8, 17 + 16 + 3);
    add(p, "stop_f", 24, 16, 8, 17 + 16 + 3);
    add(p, "dn_t", 24, 16, 8, 17 + 2 * (16 + 3));
    add(p, "dn_f", 24, 16, 8, 17 + 2 * (16 + 3));
    add(p, "plus", 24, 16, 35, 17);
    add(p, "minus", 24, 16, 35, 17 + 2 * (16 + 3));

    // pnlLOGO: the overview, the time under it, the logo.
    add(p, "Image1", 170, 170, 3, 3);
    add(p, "Memo1", 170, 20, 3, 176);
    add(p, "imgLOGO", 80, 80, 180, 3);

    // pnlTimeBar.
    const int barHeight = std::max(h - 60, 1);
    add(p, "BackTimeBar", TimeBarPanelWidth, h, 0, 0);
    add(p, "TimeBar", 30, barHeight, 11, 29);

    // pnlBOATlist: the header; the rows are placed by boat.
    add(p, "Label1", RightColumnWidth, 14, 0, 0);

    // pnlSPLITE: the picture in the middle, the title above it, the file and the progress below.
    const int pictureLeft = (w - SplashPictureWidth) / 2;
    const int pictureTop = (h - SplashPictureHeight) / 2 - 30;
    add(p, "Image2", SplashPictureWidth, SplashPictureHeight, pictureLeft, pictureTop);
    add(p, "memo5", SplashPictureWidth, 28, pictureLeft, pictureTop - 60);
    add(p, "memo4", SplashPictureWidth, 18, pictureLeft, pictureTop + SplashPictureHeight + 20);
    add(p, "Image3", SplashPictureWidth, 18, pictureLeft, pictureTop + SplashPictureHeight + 45);
    return layout;
}
