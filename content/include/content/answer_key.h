#pragma once
// The question order and the answer key as one table: the designs, the procedures and the tests
// all read it.

#include <QString>
#include <QStringList>
#include <array>

namespace content {

// PassMark: a total of 19 or more passes.
inline constexpr double PassMark = 19.0;

struct Question {
    int number;              // 1 to 24, the order of the test
    QString form;            // a QuestionForm
    QString scoredCheckBox;  // the one box that earns the point
    QString scoreLabel;      // holds "1", "0" or the empty text
    QString next;            // the form shown after this one's answer is recorded
};

// Every question form asks its question in this label and offers its four options in these
// check boxes, top to bottom.
inline const QString questionLabel = QStringLiteral("Label1");
inline const QStringList optionBoxes = {"Check1", "Check2", "Check3", "Check4"};

inline const QString resultForm = QStringLiteral("Form4");
inline const QString resultLabel = QStringLiteral("Label2");
inline const QString passPictureControl = QStringLiteral("Image1");
inline const QString failPictureControl = QStringLiteral("Image2");
inline const QString aboutForm = QStringLiteral("Form27");
inline const QString aboutLabel = QStringLiteral("Label1");

// The verdicts, blanks included: the pass text has one at each end, the fail text one in front.
inline const QString passVerdict = QStringLiteral(" Молодець!!! Ви взмозі себе захистити. ");
inline const QString failVerdict = QStringLiteral(" Для Вас Інтернет може становити загрозу!!!");

// One row a question.
// clang-format off
inline const std::array<Question, 24> answerKey = {{
    {1, "Form2", "Check3", "Label6", "Form3"},
    {2, "Form3", "Check1", "Label4", "Form5"},
    {3, "Form5", "Check4", "Label2", "Form6"},
    {4, "Form6", "Check1", "Label2", "Form7"},
    {5, "Form7", "Check3", "Label2", "Form8"},
    {6, "Form8", "Check2", "Label2", "Form9"},
    {7, "Form9", "Check1", "Label2", "Form10"},
    {8, "Form10", "Check3", "Label2", "Form11"},
    {9, "Form11", "Check1", "Label2", "Form12"},
    {10, "Form12", "Check4", "Label2", "Form13"},
    {11, "Form13", "Check1", "Label2", "Form14"},
    {12, "Form14", "Check2", "Label2", "Form15"},
    {13, "Form15", "Check4", "Label2", "Form16"},
    {14, "Form16", "Check2", "Label2", "Form17"},
    {15, "Form17", "Check4", "Label2", "Form18"},
    {16, "Form18", "Check3", "Label2", "Form19"},
    {17, "Form19", "Check4", "Label2", "Form20"},
    {18, "Form20", "Check1", "Label2", "Form21"},
    {19, "Form21", "Check1", "Label2", "Form22"},
    {20, "Form22", "Check3", "Label2", "Form23"},
    {21, "Form23", "Check4", "Label2", "Form24"},
    {22, "Form24", "Check2", "Label2", "Form25"},
    {23, "Form25", "Check3", "Label2", "Form26"},
    {24, "Form26", "Check3", "Label2", "Form4"},
}};
// clang-format on

}  // namespace content
