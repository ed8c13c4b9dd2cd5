#include "event_procedures.h"

namespace logic {

// Back to the start form; nothing is reset until the next pass starts.
void Form4::Command1_Click(engine::Forms& program) {
    program.form(content::startForm).show();
    program.form(content::resultForm).hide();
}

void Form4::Command2_Click(engine::Forms& program) {
    program.end();
}

// The start form stays open beside the about form.
void Form1::Про_автора_Click(engine::Forms& program) {
    program.form(content::aboutForm).show();
}

// Ends the whole program, not only the about form.
void Form27::Command1_Click(engine::Forms& program) {
    program.end();
}

}  // namespace logic
