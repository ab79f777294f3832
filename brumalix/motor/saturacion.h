// Interpolación en la tabla de saturación y las dos interpolaciones del motor.
#pragma once

#include <cstdint>

// Recta por (x1, y1) y (x2, y2) en x.
float Interpola2(float x1, float x2, float y1, float y2, float x);
// Parábola por tres puntos distintos en x, redondeando a f32 cada paso.
float interpola_cuadratica(float x0, float x1, float x2, float y0, float y1, float y2, float x);

// Búsqueda por presión (0) o por temperatura (1).
enum { POR_PRESION = 0, POR_TEMPERATURA = 1 };

// Temperatura (o presión) de saturación y h', h'', s', s'', v', v'' del valor
// dado. 0 bien; 99 fuera de la tabla, sin escribir nada.
std::int32_t lee_datos_f1(std::int32_t tipo, float valor, float& primero, float& hl, float& hv, float& sl,
                          float& sv, float& vl, float& vv);
std::int32_t calc_psat(float t, float& p);
std::int32_t calc_tsat(float p, float& t);

// Para el resto del motor.
//
// Los pasos de interpola_cuadratica que sólo dependen de las abscisas y de
// x (u, w y 1 − w²): las parábolas por las mismas abscisas en el mismo x
// los calculan una vez. evalua_cuadratica(prepara_cuadratica(x0, x1, x2,
// x), y0, y1, y2) es interpola_cuadratica, bit a bit.
struct abscisas_cuadratica {
    float u, w;
    double uno_menos_w2;
};

inline abscisas_cuadratica prepara_cuadratica(float x0, float x1, float x2, float x)
{
    abscisas_cuadratica a;
    a.u = static_cast<float>((2.0 * x - x2 - x0) / (double(x2) - x0));
    a.w = static_cast<float>((2.0 * x1 - x2 - x0) / (double(x2) - x0));
    a.uno_menos_w2 = 1.0 - double(a.w) * a.w;
    return a;
}

inline float evalua_cuadratica(const abscisas_cuadratica& a, float y0, float y1, float y2)
{
    const float u = a.u, w = a.w;
    float c = static_cast<float>((y1 - 0.5 * w * (double(y2) - y0) - 0.5 * w * w * (double(y2) + y0)) /
                                 a.uno_menos_w2);
    float d = static_cast<float>((double(y2) + y0) - 2.0 * c);
    return static_cast<float>(c + 0.5 * (double(y2) - y0) * u + 0.5 * double(u) * u * d);
}

// evalua_cuadratica de cada terna ys[k] (k < n) en resultado[k]: lo mismo,
// bit a bit, para muchas parábolas por las mismas abscisas.
void evalua_cuadraticas(const abscisas_cuadratica& a, int n, const float (*ys)[3], float* resultado);

// Punto de saturación de un valor: la temperatura (o la presión) de
// saturación en 'sat' y las propiedades de líquido y vapor saturados.
struct punto_saturacion {
    float sat = 0, hl = 0, hv = 0, sl = 0, sv = 0, vl = 0, vv = 0;
    // Propiedad 0 h, 1 s, 2 v del líquido o del vapor saturado.
    float liquido(int prop) const { return prop == 0 ? hl : prop == 1 ? sl : vl; }
    float vapor(int prop) const { return prop == 0 ? hv : prop == 1 ? sv : vv; }
};

// lee_datos_f1 sin su línea de traza: true con 's' escrito, o false fuera
// de la tabla sin escribir nada.
bool consulta_saturacion(std::int32_t tipo, float valor, punto_saturacion& s);
// La línea de traza con que termina una lectura de lee_datos_f1 que sale
// bien.
void traza_lectura_saturacion(std::int32_t tipo, float valor, float primero);
// lee_datos_f1 en un punto de saturación: lo mismo, con su línea de traza.
bool lee_saturado(std::int32_t tipo, float valor, punto_saturacion& s);

// Saturación de un valor leída a lo sumo una vez en un cálculo. Cada
// lee() hace lo que haría lee_datos_f1 en su lugar, con su misma línea de
// traza, pero sólo el primero consulta la tabla.
class saturacion_de {
public:
    saturacion_de(std::int32_t tipo, float valor) : tipo_(tipo), valor_(valor) {}
    bool lee()
    {
        if (consulta()) traza_lectura_saturacion(tipo_, valor_, punto_.sat);
        return bien_;
    }
    // Lo mismo sin la línea de traza: para quien necesita la saturación
    // para decidir y no es quien la consulta a la vista del usuario (las
    // isobaras y las isotermas no escriben esa lectura).
    bool consulta()
    {
        if (!leida_) {
            leida_ = true;
            bien_ = consulta_saturacion(tipo_, valor_, punto_);
        }
        return bien_;
    }
    // Lo leído; vale tras un lee() que dio true.
    const punto_saturacion& punto() const { return punto_; }
    std::int32_t tipo() const { return tipo_; }
    float valor() const { return valor_; }

private:
    std::int32_t tipo_;
    float valor_;
    bool leida_ = false, bien_ = false;
    punto_saturacion punto_;
};
