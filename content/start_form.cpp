#include "content/designs.h"
#include "content/pictures.h"
#include "palette.h"

namespace content {

using namespace engine;

FormDesign startFormDesign() {
    return FormDesign{
        .name = startForm,
        .caption = programCaption,
        .backColor = paleYellow,
        .maxButton = false,
        .clientLeft = 60,
        .clientTop = 750,
        .clientWidth = 6375,
        .clientHeight = 5085,
        .startUpPosition = 1,
        .icon = FormIcon,
        .linkTopic = startForm,
        .controls =
            {
                {.name = "Command1",
                 .kind = ControlKind::CommandButton,
                 .id = 1,
                 .caption = "Розпочати тест",
                 .rect = {1320, 4440, 3735, 495},
                 .tabIndex = 1,
                 .backColor = yellow,
                 .style = Graphical,
                 .font = bold(13.5)},
                {.name = "Image1",
                 .kind = ControlKind::Image,
                 .id = 2,
                 .rect = {960, 720, 4500, 3585},
                 .picture = StartPicture},
                {.name = "Label1",
                 .kind = ControlKind::Label,
                 .id = 3,
                 .caption = "Мережвар",
                 .rect = {360, 120, 5655, 975},
                 .tabIndex = 0,
                 .foreColor = red,
                 .alignment = Center,
                 .backStyle = Transparent,
                 .font = bold(24)},
            },
        .menu = {{.name = "Про_автора", .caption = "Про автора"}},
    };
}

}  // namespace content
