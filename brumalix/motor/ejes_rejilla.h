// Las tres líneas de la rejilla con que se interpola en una presión (tres
// columnas) o en una temperatura (tres filas).
#pragma once

// Primera de las tres columnas de presión (1..192) y de las tres filas de
// temperatura (0..78) con que se interpola en p y en t: la más próxima en
// medio (en empate, la superior); en los extremos, las tres primeras o las
// tres últimas. La columna de 0 bar nunca entra.
int columnas_presion(float p);
int filas_temperatura(float t);
