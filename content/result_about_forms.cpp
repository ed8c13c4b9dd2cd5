// The result form Form4 and the about form Form27.
#include "content/answer_key.h"
#include "content/designs.h"
#include "content/pictures.h"
#include "palette.h"

namespace content {

using namespace engine;

FormDesign resultFormDesign() {
    return FormDesign{
        .name = resultForm,
        .caption = programCaption,
        .backColor = peach,
        .maxButton = false,
        .minButton = false,
        .clientLeft = 60,
        .clientTop = 450,
        .clientWidth = 6120,
        .clientHeight = 6285,
        .startUpPosition = 1,
        .icon = FormIcon,
        .linkTopic = resultForm,
        .controls =
            {
                {.name = "Command2",
                 .kind = ControlKind::CommandButton,
                 .id = 1,
                 .caption = "Закрити",
                 .rect = {3480, 4920, 2415, 615},
                 .tabIndex = 2,
                 .backColor = orange,
                 .style = Graphical,
                 .font = bold(12)},
                {.name = "Command1",
                 .kind = ControlKind::CommandButton,
                 .id = 2,
                 .caption = "Розпочати знову",
                 .rect = {240, 4920, 2175, 615},
                 .tabIndex = 1,
                 .backColor = orange,
                 .style = Graphical,
                 .font = bold(9.75)},
                // While both pictures are visible, the fail picture covers the pass picture.
                {.name = failPictureControl,
                 .kind = ControlKind::Image,
                 .id = 3,
                 .rect = {1560, 1680, 3000, 3030},
                 .visible = false,
                 .picture = FailPicture},
                {.name = passPictureControl,
                 .kind = ControlKind::Image,
                 .id = 4,
                 .rect = {1560, 2040, 3000, 1890},
                 .visible = false,
                 .picture = PassPicture},
                {.name = resultLabel,
                 .kind = ControlKind::Label,
                 .id = 5,
                 .rect = {1560, 0, 2655, 2055},
                 .tabIndex = 0,
                 .foreColor = red,
                 .alignment = Center,
                 .backStyle = Transparent,
                 .font = bold(13.5)},
            },
    };
}

FormDesign aboutFormDesign() {
    return FormDesign{
        .name = aboutForm,
        .caption = "Про автора",
        .backColor = peach,
        .maxButton = false,
        .clientLeft = 60,
        .clientTop = 450,
        .clientWidth = 6375,
        .clientHeight = 5385,
        .startUpPosition = 1,
        .icon = FormIcon,
        .linkTopic = aboutForm,
        .controls =
            {
                {.name = "Command1",
                 .kind = ControlKind::CommandButton,
                 .id = 1,
                 .caption = "Закрити",
                 .rect = {3960, 4080, 2055, 975},
                 .tabIndex = 1,
                 .backColor = orange,
                 .style = Graphical,
                 .font = bold(12)},
                {.name = "Image1",
                 .kind = ControlKind::Image,
                 .id = 2,
                 .rect = {240, 720, 3000, 3825},
                 .picture = AuthorPortrait},
                // The label reaches 510 twips below the client area; the button lies over it.
                {.name = aboutLabel,
                 .kind = ControlKind::Label,
                 .id = 3,
                 .caption = " Тест створила учениця 11 класу ЗШ №1 Тевдрина",
                 .rect = {3600, 1560, 2535, 4335},
                 .tabIndex = 0,
                 .foreColor = red,
                 .alignment = Center,
                 .backStyle = Transparent,
                 .font = bold(13.5)},
                {.name = "Shape1",
                 .kind = ControlKind::Shape,
                 .id = 4,
                 .rect = {120, 600, 3255, 4095},
                 .backColor = orange,
                 .fillStyle = Solid,
                 .fillColor = orange},
            },
    };
}

}  // namespace content
