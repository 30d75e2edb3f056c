// The application frame "Main": the MDI frame with the program's menu. Its
// menu starts the three work windows on threads of their own.
#pragma once

void Main();
