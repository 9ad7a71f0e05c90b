// SPDX-License-Identifier: GPL-3.0-or-later
// The gallery: the scroller's range for its rows, and the press-then-release rule for opening the
// image panel.
#include "PanelFixture.h"

#include "app/pictures/Resources.h"
#include "gui/PanelLists.h"
#include "panels/AWndHelp.h"
#include "panels/AWndImg.h"
#include "panels/Panels.h"

TEST_F(PanelFixture, GalleryRowsAndPressThenReleasePicking) {
    int savedCount = BackgroundCount;
    BackgroundCount = 9;
    AWndHelp gallery;
    AWndImg image;
    HelpPanel = &gallery;
    ImgPanel = &image;
    gallery.Create(200, 200, 320, 400, 200, 200, "Help");
    gallery.Build();
    image.Create(400, 100, 380, 320, 200, 200, "Image");
    image.Build();
    OpenPanel(&gallery);
    EXPECT_EQ(gallery.scroller.maxValue, 480) << "nine backgrounds, five rows";
    // The ninth stands alone in the left column of the fifth row (scrolled to the end).
    gallery.scroller.value = 480;
    int left = gallery.x + 2 + 8 + 12, top = gallery.y + 53 + 10 - 480 + 128 * 4;
    EXPECT_EQ(gallery.ItemAt(left + 60, top + 40), 8);
    EXPECT_EQ(gallery.ItemAt(left + 60 + 148, top + 40), -1);
    gallery.scroller.value = 0;

    // Press on a thumbnail, release anywhere: the image panel opens on it.
    int x1 = gallery.x + 2 + 156 + 70, y1 = gallery.y + 53 + 10 + 128 + 40; // background 3
    Pointer pointer({&gallery});
    pointer.Press(x1, y1);
    pointer.Release(40, 40);
    EXPECT_TRUE(image.IsOpen());
    EXPECT_EQ(ChosenBackground, 3);
    EXPECT_EQ(image.width, 514);
    EXPECT_EQ(image.height, 376);
    // Its height follows its width at the next move.
    image.width = 800;
    Pointer({&image}).Move(10, 10);
    EXPECT_EQ(image.height, 550);

    // Press where no thumbnail is, release on one: nothing opens.
    ClosePanel(&image);
    ChosenBackground = -1;
    pointer.Press(gallery.x + 2 + 150, y1);
    pointer.Release(x1, y1);
    EXPECT_FALSE(image.IsOpen());
    EXPECT_EQ(ChosenBackground, -1);

    BackgroundCount = savedCount;
    HelpPanel = nullptr;
    ImgPanel = nullptr;
    PreviewState = 0;
}
