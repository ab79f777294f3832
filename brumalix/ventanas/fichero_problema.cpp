#include "fichero_problema.h"

#include "comun/binario.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

// Un texto de un campo de 'capacidad' bytes: debe terminar dentro del campo.
bool lee_texto(binario::lector& l, char* destino, std::size_t capacidad)
{
    const unsigned char* p = l.toma(capacidad);
    if (!p) return false;
    const void* fin = std::memchr(p, '\0', capacidad);
    if (!fin) return false;
    const std::size_t n = static_cast<std::size_t>(static_cast<const unsigned char*>(fin) - p);
    std::memset(destino, 0, capacidad);
    std::memcpy(destino, p, n);
    return true;
}

// Escribe el texto y ceros hasta llenar el campo.
void escribe_texto(binario::escritor& w, const char* texto, std::size_t capacidad)
{
    std::vector<unsigned char> campo(capacidad, 0);
    std::memcpy(campo.data(), texto, strnlen(texto, capacidad - 1));
    w.bytes(campo.data(), campo.size());
}

bool unidad_valida(int v) { return v == 0 || v == 1; }

} // namespace

lectura_problema lee_problema(const std::vector<unsigned char>& bytes, problema_leido& p)
{
    using L = lectura_problema;
    binario::lector l(bytes);
    if (bytes.empty()) return L::incorrecto;
    if (bytes[0] == 'B') return L::marca_b;
    if (bytes[0] == 'A') {
        l.u8();
        p.unidad_presion_at = l.i16();
        p.unidad_caudal_th = l.i16();
        p.unidad_energia_kcal = l.i16();
        p.unidad_entropia_kcal = l.i16();
    } else {
        p.unidad_presion_at = l.i16();
        p.unidad_caudal_th = l.i16();
        p.unidad_energia_kcal = l.i16();
        p.unidad_entropia_kcal = p.unidad_energia_kcal;
    }
    // Las unidades indexan tablas de nombres: sólo valen 0 y 1.
    if (!l.bien() || !unidad_valida(p.unidad_presion_at) || !unidad_valida(p.unidad_caudal_th) ||
        !unidad_valida(p.unidad_energia_kcal) || !unidad_valida(p.unidad_entropia_kcal))
        return L::incorrecto;

    const int S = l.i16();
    if (!l.bien() || S < 0 || S > MAXNUMESTADOS || !l.hay(BYTES_ESTADO * static_cast<std::size_t>(S))) return L::incorrecto;
    p.estados.assign(static_cast<std::size_t>(S), estado_agua{});
    for (estado_agua& e : p.estados) {
        e.calculado = l.i16();
        e.p = l.f32();
        e.t = l.f32();
        e.x = l.f32();
        e.v = l.f32();
        e.h = l.f32();
        e.s = l.f32();
        e.ref_p = l.i16();
        e.ref_t = l.i16();
        e.ref_x = l.i16();
        e.ref_v = l.i16();
        e.ref_h = l.i16();
        e.ref_s = l.i16();
        e.e = l.f32();
        l.f32();  // el caudal vuelve por los caudales directos
        e.caudal = -1.0f;
        e.mh = l.f32();
        e.me = l.f32();
        // Los datos del estado han de ser números finitos (-1 si no se dieron).
        for (float v : {e.p, e.t, e.x, e.v, e.h, e.s})
            if (!std::isfinite(v)) return L::incorrecto;
    }

    for (caudal_directo& c : p.caudales) {
        c.estado = l.i16();
        c.caudal = l.f32();
        if (c.estado > MAXNUMESTADOS) return L::incorrecto;
        // El caudal que pasa a un estado ha de ser un número finito.
        if (c.estado > 0 && !std::isfinite(c.caudal)) return L::incorrecto;
    }

    const int E = l.i16();
    if (!l.bien() || E < 0 || E > MAXNUMEQUIPOS || !l.hay(BYTES_EQUIPO * static_cast<std::size_t>(E))) return L::incorrecto;
    p.equipos.assign(static_cast<std::size_t>(E), elemento{});
    for (elemento& q : p.equipos) {
        for (std::int32_t& n : q.entrantes) n = l.i16();
        for (std::int32_t& n : q.salientes) n = l.i16();
        if (!lee_texto(l, q.nombre, sizeof q.nombre) || !lee_texto(l, q.texto_entrantes, sizeof q.texto_entrantes) ||
            !lee_texto(l, q.texto_salientes, sizeof q.texto_salientes))
            return L::incorrecto;
        q.num_entrantes = l.i16();
        q.num_salientes = l.i16();
        if (q.num_entrantes < 0 || q.num_entrantes > MAXESTENEQUIPO || q.num_salientes < 0 ||
            q.num_salientes > MAXESTENEQUIPO)
            return L::incorrecto;
    }

    for (ecuacion_balance& q : p.masa)
        if (!lee_texto(l, q.texto, sizeof q.texto)) return L::incorrecto;
    for (ecuacion_balance& q : p.energia)
        if (!lee_texto(l, q.texto, sizeof q.texto)) return L::incorrecto;
    return l.bien() ? L::bien : L::incorrecto;
}

void pasa_al_problema(const problema_leido& p)
{
    unidad_presion_at = p.unidad_presion_at;
    unidad_caudal_th = p.unidad_caudal_th;
    unidad_energia_kcal = p.unidad_energia_kcal;
    unidad_entropia_kcal = p.unidad_entropia_kcal;
    std::copy(p.estados.begin(), p.estados.end(), estados_dato);
    std::copy(p.caudales.begin(), p.caudales.end(), caudales_directos);
    for (const caudal_directo& c : p.caudales)
        if (c.estado > 0) estados_dato[c.estado - 1].caudal = c.caudal;
    std::copy(p.equipos.begin(), p.equipos.end(), equipos);
    std::copy(p.masa.begin(), p.masa.end(), ecuaciones_masa);
    std::copy(p.energia.begin(), p.energia.end(), ecuaciones_energia);
    num_equipos = static_cast<std::int32_t>(p.equipos.size());
}

bool escribe_problema(std::FILE* f, int S, int E)
{
    S = std::clamp(S, 0, MAXNUMESTADOS);
    E = std::clamp(E, 0, MAXNUMEQUIPOS);
    binario::escritor w(f);
    w.u8('A');
    w.i16(static_cast<std::int16_t>(unidad_presion_at));
    w.i16(static_cast<std::int16_t>(unidad_caudal_th));
    w.i16(static_cast<std::int16_t>(unidad_energia_kcal));
    w.i16(static_cast<std::int16_t>(unidad_entropia_kcal));
    w.i16(static_cast<std::int16_t>(S));
    for (int i = 0; i < S; ++i) {
        const estado_agua& e = estados_dato[i];
        w.i16(static_cast<std::int16_t>(e.calculado));
        w.f32(e.p);
        w.f32(e.t);
        w.f32(e.x);
        w.f32(e.v);
        w.f32(e.h);
        w.f32(e.s);
        w.i16(static_cast<std::int16_t>(e.ref_p));
        w.i16(static_cast<std::int16_t>(e.ref_t));
        w.i16(static_cast<std::int16_t>(e.ref_x));
        w.i16(static_cast<std::int16_t>(e.ref_v));
        w.i16(static_cast<std::int16_t>(e.ref_h));
        w.i16(static_cast<std::int16_t>(e.ref_s));
        w.f32(e.e);
        w.f32(e.caudal);
        w.f32(e.mh);
        w.f32(e.me);
    }
    for (const caudal_directo& c : caudales_directos) {
        w.i16(static_cast<std::int16_t>(c.estado));
        w.f32(c.caudal);
    }
    w.i16(static_cast<std::int16_t>(E));
    for (int i = 0; i < E; ++i) {
        const elemento& q = equipos[i];
        for (std::int32_t n : q.entrantes) w.i16(static_cast<std::int16_t>(n));
        for (std::int32_t n : q.salientes) w.i16(static_cast<std::int16_t>(n));
        escribe_texto(w, q.nombre, sizeof q.nombre);
        escribe_texto(w, q.texto_entrantes, sizeof q.texto_entrantes);
        escribe_texto(w, q.texto_salientes, sizeof q.texto_salientes);
        w.i16(static_cast<std::int16_t>(std::clamp(q.num_entrantes, 0, MAXESTENEQUIPO)));
        w.i16(static_cast<std::int16_t>(std::clamp(q.num_salientes, 0, MAXESTENEQUIPO)));
    }
    for (const ecuacion_balance& q : ecuaciones_masa) escribe_texto(w, q.texto, sizeof q.texto);
    for (const ecuacion_balance& q : ecuaciones_energia) escribe_texto(w, q.texto, sizeof q.texto);
    return w.bien();
}
